# The BIFF reader component (TXBiff, TXBiff_custom); no Qt. Compound
# documents are opened through libgsf.
add_library(notorio_biffreader STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Xbiff.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Xbiff_custom.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XbiffRecords.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XbiffStorage.cpp
)
target_include_directories(notorio_biffreader PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(notorio_biffreader
  PUBLIC notorio_core
  PRIVATE PkgConfig::GSF notorio_biffwriter notorio_editing)
