# The ground floor: the program's globals, DPI scaling, late-loaded
# libraries and the aborting allocation. Includes nothing above it.
list(APPEND WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/globals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display_scale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/late_libraries_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/allocation_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menu_check_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/accessible_parts_win.cpp)
