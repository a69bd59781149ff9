list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/matcher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search_walk.cpp)
