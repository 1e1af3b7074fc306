# The minimal Qt window that bench/startup.sh measures notorio against.
#   cmake --build <dir> --target bench_startup_minimal
add_executable(bench_startup_minimal EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/StartupMinimal.cpp)
target_link_libraries(bench_startup_minimal PRIVATE Qt6::Widgets)
