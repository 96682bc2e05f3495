# Report surface, printing frame and register books. Included from the top-level
# file after tests/, so the shared test support library exists.
find_package(GTest REQUIRED)
include(GoogleTest)
set(_prints_dir ${CMAKE_CURRENT_LIST_DIR})
add_executable(prints_tests
  ${_prints_dir}/prints_test_main.cpp
  ${_prints_dir}/prints_surface_test.cpp
  ${_prints_dir}/prints_wort_test.cpp
  ${_prints_dir}/prints_pdf_test.cpp
  ${_prints_dir}/prints_dialog_test.cpp
  ${_prints_dir}/prints_preview_test.cpp
  ${_prints_dir}/prints_form_test.cpp
)
target_link_libraries(prints_tests PRIVATE veltrano_report_qt veltrano_prints_forms GTest::gtest)
target_include_directories(prints_tests PRIVATE ${_prints_dir})
target_compile_definitions(prints_tests PRIVATE
  VELTRANO_PDFTOTEXT="/usr/bin/pdftotext" VELTRANO_PDFFONTS="/usr/bin/pdffonts")
gtest_discover_tests(prints_tests DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
