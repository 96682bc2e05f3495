# Tests of the registers' form models; included from the top-level CMakeLists.txt.
add_executable(register_form_tests ${CMAKE_SOURCE_DIR}/tests/registers_stock_form_test.cpp
                                   ${CMAKE_SOURCE_DIR}/tests/registers_cancellation_test.cpp
                                   ${CMAKE_SOURCE_DIR}/tests/registers_continuity_test.cpp)
target_link_libraries(register_form_tests PRIVATE veltrano_register_forms
                      veltrano_shell_testsupport GTest::gtest_main)
gtest_discover_tests(register_form_tests DISCOVERY_TIMEOUT 60)
