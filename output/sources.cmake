list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/clipboard_format.cpp)
list(APPEND WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/clipboard_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_choice_win.cpp)
