list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings.cpp)
list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/bookmarks.cpp)
list(APPEND WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/settings_store_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bookmarks_win.cpp)
list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/registry_number.cpp)
