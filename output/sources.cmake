list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/clipboard_format.cpp)
