list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/index_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/index_layout.cpp)
