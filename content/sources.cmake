list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/lesson_store.cpp)
list(APPEND WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/resource_lookup_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/buffer_error_win.cpp)
# Linked through quorin_content_data (tools/sources.cmake).
list(APPEND NATIVE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/resource_lookup_native.cpp
  ${CMAKE_CURRENT_LIST_DIR}/buffer_error_native.cpp)
