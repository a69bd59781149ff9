list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/index_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/index_layout.cpp)
list(APPEND WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/section_dialog.cpp)
