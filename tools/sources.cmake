# Build-time tools (native tree only).
include(${CMAKE_CURRENT_LIST_DIR}/content_compiler/sources.cmake OPTIONAL)

add_library(quorin_tools STATIC
  ${CMAKE_CURRENT_LIST_DIR}/compressor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/container_builder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pixel_scale.cpp)
list(APPEND QUORIN_TOOL_LIBS quorin_tools)

# The lesson containers for native binaries. Without the content compiler an
# empty table stands in, so the store still links and tests bring their own.
if(TARGET content_compiler)
  file(GLOB_RECURSE QUORIN_CORPUS_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/content/corpus/*)
  add_custom_command(
    OUTPUT ${QUORIN_GENERATED}/lessons_embed.S ${QUORIN_GENERATED}/lessons_data.rc
    COMMAND content_compiler --corpus ${CMAKE_SOURCE_DIR}/content/corpus --out ${QUORIN_GENERATED}
    DEPENDS content_compiler ${QUORIN_CORPUS_FILES}
    COMMENT "Compiling the lesson containers"
    VERBATIM)
  set(QUORIN_EMBED ${QUORIN_GENERATED}/lessons_embed.S)
else()
  set(QUORIN_EMBED ${CMAKE_BINARY_DIR}/no_lessons/lessons_embed.S)
  string(CONCAT QUORIN_NO_LESSONS
    "\t.section .data.rel.ro\n\t.balign 8\n"
    "\t.globl quorin_embedded_resources\nquorin_embedded_resources:\n"
    "\t.globl quorin_embedded_count\nquorin_embedded_count:\n\t.quad 0\n"
    "\t.section .note.GNU-stack,\"\",@progbits\n")
  file(GENERATE OUTPUT ${QUORIN_EMBED} CONTENT "${QUORIN_NO_LESSONS}")
endif()
add_library(quorin_content_data STATIC ${NATIVE_SOURCES} ${QUORIN_EMBED})
