# Tests of the BIFF reader component: hand-built record streams, files of the
# writer, workbooks of another program (tests/data/xls), damaged files, and
# the read-xls command of notorio-cli.
notorio_gtest(spreadsheet_reader_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/XbiffTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XbiffDamageTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReadXlsCommandTest.cpp
  LIBS notorio_biffreader notorio_biffwriter notorio_core notorio_readxls_json)
target_compile_definitions(spreadsheet_reader_tests PRIVATE NOTORIO_CLI="$<TARGET_FILE:notorio-cli>")
add_dependencies(spreadsheet_reader_tests notorio-cli)

# The fuzz targets' seed corpora, replayed (fuzz/Replay.cmake).
include(${PROJECT_SOURCE_DIR}/fuzz/Replay.cmake)

# The reader benchmark (bench/Bench.cmake), a target of its own.
include(${PROJECT_SOURCE_DIR}/bench/Bench.cmake)
