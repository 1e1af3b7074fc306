# The reader benchmark: a separate target, not built by default and not run
# by the tests. cmake --build <dir> --target bench_biff_reader
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(bench_biff_reader EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/BiffReaderBench.cpp)
  target_link_libraries(bench_biff_reader PRIVATE notorio_biffreader notorio_readxls_json
    benchmark::benchmark)
  # Paste of large clipboard texts: cmake --build <dir> --target bench_paste
  add_executable(bench_paste EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/PasteBench.cpp)
  target_link_libraries(bench_paste PRIVATE notorio_editing benchmark::benchmark)
  # The same through the main window (Ctrl+V, then the grid painted):
  # cmake --build <dir> --target bench_window_paste
  add_executable(bench_window_paste EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/WindowPasteBench.cpp)
  target_link_libraries(bench_window_paste PRIVATE notorio_mainwindow benchmark::benchmark
    Qt6::Test)
endif()

# The generator of the big notes for bench/big_notes.sh (open time and
# memory of notes that are near the read limit).
add_executable(make_big_notes EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/MakeBigNotes.cpp)
target_link_libraries(make_big_notes PRIVATE notorio_persistence)
