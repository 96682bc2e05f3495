# Tests of the registers' form models; included from the top-level CMakeLists.txt.
add_executable(register_form_tests ${CMAKE_SOURCE_DIR}/tests/registers_stock_form_test.cpp
                                   ${CMAKE_SOURCE_DIR}/tests/registers_cancellation_test.cpp
                                   ${CMAKE_SOURCE_DIR}/tests/registers_continuity_test.cpp
                                   ${CMAKE_SOURCE_DIR}/tests/registers_picker_test.cpp)
target_link_libraries(register_form_tests PRIVATE veltrano_register_forms
                      veltrano_shell_testsupport GTest::gtest_main)
gtest_discover_tests(register_form_tests DISCOVERY_TIMEOUT 60)

# The administration tool's stock command beside the stock window.
add_executable(admin_stock_tests ${CMAKE_SOURCE_DIR}/tests/admin_stock_test.cpp)
target_link_libraries(admin_stock_tests PRIVATE veltrano_admin_lib veltrano_register_forms
                      veltrano_shell_testsupport GTest::gtest_main)
gtest_discover_tests(admin_stock_tests DISCOVERY_TIMEOUT 60)

# The Qt views of the registers' windows, on the offscreen platform.
if(TARGET veltrano_registers_ui)
  add_executable(register_qt_tests ${CMAKE_SOURCE_DIR}/tests/registers_qt_test.cpp
                                   ${CMAKE_SOURCE_DIR}/tests/qt_main.cpp)
  target_link_libraries(register_qt_tests PRIVATE veltrano_registers_ui veltrano_admin_lib
                        veltrano_prints_forms veltrano_report_qt
                        veltrano_shell_testsupport Qt6::Test GTest::gtest)
  gtest_discover_tests(register_qt_tests DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
