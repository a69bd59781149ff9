# The reader window and the program's life.
list(APPEND WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/lifetime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/start_up.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toolbar_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/navigation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/selection_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/accessible_view_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/learned_commands.cpp)

# The About box and the update check.
list(APPEND WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/about_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/update_check.cpp)
