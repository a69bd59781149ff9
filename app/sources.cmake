list(APPEND WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/globals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pending_commands.cpp)
