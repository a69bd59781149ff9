# The content compiler: the corpus into lesson texts and the index. Its
# pieces form a library so the unit tests can reach them.
add_library(quorin_content_compiler STATIC
  ${CMAKE_CURRENT_LIST_DIR}/corpus_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hebrew_numeral.cpp
  ${CMAKE_CURRENT_LIST_DIR}/index_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lesson_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/letter_text.cpp)
target_link_libraries(quorin_content_compiler PUBLIC quorin_core)
list(APPEND QUORIN_TOOL_LIBS quorin_content_compiler)

add_executable(content_compiler ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(content_compiler PRIVATE quorin_content_compiler quorin_tools quorin_core)
