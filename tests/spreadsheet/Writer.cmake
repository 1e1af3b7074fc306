# Tests of the BIFF2 writer and the grid export.
notorio_gtest(biffwriter_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/XwritebiffTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridExportTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ExternalReaderTest.cpp
  LIBS notorio_biffwriter)

# The export command in the main window.
notorio_gtest(biffwriter_widget_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ExportCommandTest.cpp
  LIBS notorio_mainwindow notorio_test_qtmain)

# notorio-cli xls, run as a separate process on a note fixture.
notorio_gtest(biffwriter_cli_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/XlsCommandTest.cpp
  LIBS notorio_core)
target_compile_definitions(biffwriter_cli_tests PRIVATE NOTORIO_CLI="$<TARGET_FILE:notorio-cli>")
add_dependencies(biffwriter_cli_tests notorio-cli)
