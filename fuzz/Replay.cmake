# The seed corpora replayed as ordinary tests: each fuzz entry point linked
# with a plain main (any compiler, normal and sanitizer builds).
include(${CMAKE_CURRENT_LIST_DIR}/Targets.cmake)
foreach(target IN LISTS NOTORIO_FUZZ_TARGETS)
  add_executable(replay_${target}
    ${NOTORIO_FUZZ_DIR}/${NOTORIO_FUZZ_${target}_SOURCE}
    ${NOTORIO_FUZZ_DIR}/ReplayMain.cpp)
  target_include_directories(replay_${target} PRIVATE ${NOTORIO_FUZZ_DIR})
  target_link_libraries(replay_${target} PRIVATE ${NOTORIO_FUZZ_${target}_LIBS})
  add_test(NAME fuzz_replay_${target}
    COMMAND replay_${target} ${NOTORIO_FUZZ_DIR}/corpus/${target})
endforeach()
