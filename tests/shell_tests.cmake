# Tests of the application shell; included from the top-level CMakeLists.txt.
set(SHELL_TESTS_DIR ${CMAKE_SOURCE_DIR}/tests)

add_library(veltrano_shell_testsupport STATIC ${SHELL_TESTS_DIR}/shell_support.cpp)
target_link_libraries(veltrano_shell_testsupport PUBLIC veltrano_shell GTest::gtest)
target_include_directories(veltrano_shell_testsupport PUBLIC ${SHELL_TESTS_DIR})

# Form models, settings, start-up and activation, headless.
add_executable(shell_tests
  ${SHELL_TESTS_DIR}/shell_company_record_test.cpp
  ${SHELL_TESTS_DIR}/shell_company_form_test.cpp
  ${SHELL_TESTS_DIR}/shell_demo_test.cpp
  ${SHELL_TESTS_DIR}/shell_framework_test.cpp
  ${SHELL_TESTS_DIR}/shell_menu_test.cpp
  ${SHELL_TESTS_DIR}/shell_settings_check_test.cpp
  ${SHELL_TESTS_DIR}/shell_settings_forms_test.cpp
  ${SHELL_TESTS_DIR}/shell_startup_test.cpp
)
target_link_libraries(shell_tests PRIVATE veltrano_shell_testsupport veltrano_platform
                      GTest::gtest_main)
gtest_discover_tests(shell_tests DISCOVERY_TIMEOUT 60)

# The Qt binding of the form models, on the offscreen platform.
add_executable(qt_tests ${SHELL_TESTS_DIR}/qt_form_view_test.cpp ${SHELL_TESTS_DIR}/qt_main.cpp)
target_link_libraries(qt_tests PRIVATE veltrano_shell_testsupport veltrano_shell_ui
                      veltrano_platform Qt6::Test GTest::gtest)
gtest_discover_tests(qt_tests DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
