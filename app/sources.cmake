# The reader window. The settings store and the document view sit in the
# folders of their subjects but are listed here with the window they serve.
list(APPEND WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/globals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/start_up.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/navigation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pending_commands.cpp
  ${CMAKE_SOURCE_DIR}/settings/settings_store_win.cpp
  ${CMAKE_SOURCE_DIR}/text/document_view_win.cpp)
