# The reading layout and the export are libraries of their own so the unit
# tests and the bench can link them.
add_library(quorin_reading STATIC ${CMAKE_CURRENT_LIST_DIR}/reading_text.cpp)
target_link_libraries(quorin_reading PUBLIC quorin_core)
list(APPEND QUORIN_TOOL_LIBS quorin_reading)

# The book's container is our own zip over zlib. Outside the sanitizers
# zlib goes in whole, so quorin-cli loads no library but libc at each start.
find_package(ZLIB REQUIRED)
# A distribution's package links the system's libraries instead
# (QUORIN_SHARED_CLI): they are updated apart from it.
option(QUORIN_SHARED_CLI "Link quorin-cli against the shared C library and zlib" OFF)
set(QUORIN_ZLIB ZLIB::ZLIB)
if(NOT QUORIN_SANITIZE AND NOT QUORIN_SHARED_CLI)
  find_library(QUORIN_ZLIB_ARCHIVE NAMES libz.a z)
  if(QUORIN_ZLIB_ARCHIVE)
    set(QUORIN_ZLIB ${QUORIN_ZLIB_ARCHIVE})
  endif()
endif()
set(QUORIN_EXPORT_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/lesson_html.cpp
  ${CMAKE_CURRENT_LIST_DIR}/epub_book.cpp
  ${CMAKE_CURRENT_LIST_DIR}/epub_zip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zip_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/replace_file.cpp)
add_library(quorin_export STATIC ${QUORIN_EXPORT_SOURCES})
target_include_directories(quorin_export PUBLIC ${ZLIB_INCLUDE_DIRS})
target_link_libraries(quorin_export PUBLIC quorin_reading quorin_core ${QUORIN_ZLIB})
list(APPEND QUORIN_TOOL_LIBS quorin_export)

# Lessons decoded ahead of a search, on the other cores.
find_package(Threads REQUIRED)
add_library(quorin_prefetch STATIC ${CMAKE_CURRENT_LIST_DIR}/lesson_prefetch.cpp)
target_link_libraries(quorin_prefetch PUBLIC quorin_core Threads::Threads)
list(APPEND QUORIN_TOOL_LIBS quorin_prefetch)

file(GLOB QUORIN_CLI_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
list(REMOVE_ITEM QUORIN_CLI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/reading_text.cpp ${CMAKE_CURRENT_LIST_DIR}/lesson_prefetch.cpp
  ${QUORIN_EXPORT_SOURCES})
add_executable(quorin-cli ${QUORIN_CLI_SOURCES})
target_link_libraries(quorin-cli PRIVATE quorin_prefetch quorin_export quorin_reading quorin_core ${QUORIN_CONTENT})
# A search starts a process per question: linked whole, with nothing to
# load and bind at each start, it answers about a millisecond sooner. The
# terminal reader needs no name service, locale or loadable module, the
# parts of the C library that want sharing. The sanitizers of the test tree
# want the shared runtime.
if(NOT QUORIN_SANITIZE AND NOT QUORIN_SHARED_CLI)
  target_link_options(quorin-cli PRIVATE -static)
endif()
