# The reading layout is a library of its own so the unit tests can link it.
add_library(quorin_reading STATIC ${CMAKE_CURRENT_LIST_DIR}/reading_text.cpp)
target_link_libraries(quorin_reading PUBLIC quorin_core)
list(APPEND QUORIN_TOOL_LIBS quorin_reading)

file(GLOB QUORIN_CLI_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
list(REMOVE_ITEM QUORIN_CLI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/reading_text.cpp)
add_executable(quorin-cli ${QUORIN_CLI_SOURCES})
target_link_libraries(quorin-cli PRIVATE quorin_reading quorin_core ${QUORIN_CONTENT})
# A search starts a process per question: without the C++ runtime to load
# and bind at every start it answers a millisecond or two sooner. The
# sanitizers of the test tree want the shared runtime.
if(NOT QUORIN_SANITIZE)
  target_link_options(quorin-cli PRIVATE -static-libstdc++ -static-libgcc)
endif()
