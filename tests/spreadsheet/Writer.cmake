# Tests of the BIFF2 writer and the grid export.
notorio_gtest(biffwriter_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/XwritebiffTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridExportTest.cpp
  LIBS notorio_biffwriter)

# The export command in the main window.
notorio_gtest(biffwriter_widget_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/../editing/WidgetTestMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ExportCommandTest.cpp
  LIBS notorio_mainwindow Qt6::Test)
