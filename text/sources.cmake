list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/letter_code.cpp)
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/text_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/style_fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rows.cpp)
if(WIN32)
  list(APPEND WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/text_draw_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/edit_direction_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/style_fonts_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/page_render_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/document_view_win.cpp)
else()
  # The native build measures with a deterministic stand-in for GDI.
  list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_device_fixed.cpp)
endif()
