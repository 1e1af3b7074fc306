# Tests of the BIFF reader component: hand-built record streams, files of the
# writer, workbooks of another program (tests/data/xls), damaged files.
notorio_gtest(spreadsheet_reader_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/XbiffTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XbiffDamageTest.cpp
  LIBS notorio_biffreader notorio_biffwriter notorio_core PkgConfig::GSF)
