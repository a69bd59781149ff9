# The reader window and the program's life.
list(APPEND WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/lifetime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/start_up.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/navigation.cpp)

# The About box and the update check.
list(APPEND WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/about_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/update_check.cpp)
