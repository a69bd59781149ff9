file(GLOB QUORIN_CLI_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
add_executable(quorin-cli ${QUORIN_CLI_SOURCES})
target_link_libraries(quorin-cli PRIVATE quorin_core ${QUORIN_CONTENT})
