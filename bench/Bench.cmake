# The reader benchmark: a separate target, not built by default and not run
# by the tests. cmake --build <dir> --target bench_biff_reader
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(bench_biff_reader EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/BiffReaderBench.cpp)
  target_link_libraries(bench_biff_reader PRIVATE notorio_biffreader benchmark::benchmark)
endif()
