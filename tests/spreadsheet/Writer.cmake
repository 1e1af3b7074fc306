# Tests of the BIFF2 writer and the grid export.
notorio_gtest(biffwriter_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/XwritebiffTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridExportTest.cpp
  LIBS notorio_biffwriter)
