# Tests of the reference tables; included from the top-level CMakeLists.txt.
set(TABLES_TESTS_DIR ${CMAKE_SOURCE_DIR}/tests)

# Models, file formats, lookups and the CSV import, headless.
add_executable(tables_tests
  ${TABLES_TESTS_DIR}/tables_csv_test.cpp
  ${TABLES_TESTS_DIR}/tables_forms_test.cpp
  ${TABLES_TESTS_DIR}/tables_install_test.cpp
  ${TABLES_TESTS_DIR}/tables_list_test.cpp
  ${TABLES_TESTS_DIR}/tables_rates_test.cpp
  ${TABLES_TESTS_DIR}/tables_recipes_test.cpp
)
target_link_libraries(tables_tests PRIVATE veltrano_tables veltrano_admin_lib veltrano_shell_testsupport
                      GTest::gtest_main)
gtest_discover_tests(tables_tests DISCOVERY_TIMEOUT 60)

# Two workstations saving into the same tables: helper programs run side by side.
add_executable(tables_lock_worker ${TABLES_TESTS_DIR}/tables_lock_worker.cpp)
target_link_libraries(tables_lock_worker PRIVATE veltrano_tables)
add_executable(tables_lock_tests ${TABLES_TESTS_DIR}/tables_lock_test.cpp)
target_link_libraries(tables_lock_tests PRIVATE veltrano_processtest veltrano_tables
                      GTest::gtest_main)
target_compile_definitions(tables_lock_tests
  PRIVATE VELTRANO_TABLES_LOCK_WORKER="$<TARGET_FILE:tables_lock_worker>")
add_dependencies(tables_lock_tests tables_lock_worker)
gtest_discover_tests(tables_lock_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)

# Opens one window on a working folder (screenshots, trying a window by hand).
add_executable(tables_window_runner ${TABLES_TESTS_DIR}/tables_window_runner.cpp)
target_link_libraries(tables_window_runner PRIVATE veltrano_tables_ui veltrano_platform Qt6::Test)

# The Qt views of the tables, on the offscreen platform.
add_executable(tables_qt_tests ${TABLES_TESTS_DIR}/tables_qt_test.cpp ${TABLES_TESTS_DIR}/qt_main.cpp)
target_link_libraries(tables_qt_tests PRIVATE veltrano_tables_ui veltrano_shell_testsupport Qt6::Test
                      GTest::gtest)
gtest_discover_tests(tables_qt_tests DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
