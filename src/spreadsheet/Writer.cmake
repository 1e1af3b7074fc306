# The BIFF2 writer and the export of the line grid; no Qt.
add_library(notorio_biffwriter STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Xwritebiff.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridExport.cpp
)
target_include_directories(notorio_biffwriter PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(notorio_biffwriter PUBLIC notorio_core notorio_filekinds PRIVATE notorio_safefile)
