list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/matcher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spelling_matcher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search_walk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search_entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hit_banner.cpp)
list(APPEND WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/find_next_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search_dialog.cpp)
