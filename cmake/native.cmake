# Native (Linux, gcc) tree: the portable heart, build-time tools, quorin-cli,
# unit tests under AddressSanitizer and UBSan, benchmarks.
option(QUORIN_SANITIZE "Build the native tree with ASan and UBSan" ON)
if(QUORIN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
add_compile_options(-Wall -Wextra -Wno-unused-parameter)
# The lesson decoder as MSVC, 32-bit and non-x86 builds have it, without the
# x86-64 fast path; its tree builds only the tests of what it touches.
option(QUORIN_PORTABLE_DECODE "Decode lessons without the x86-64 fast path" OFF)
if(QUORIN_PORTABLE_DECODE)
  set_source_files_properties(${CMAKE_SOURCE_DIR}/content/lesson_store.cpp PROPERTIES
    COMPILE_DEFINITIONS QUORIN_PORTABLE_DECODE)
endif()

add_library(quorin_core STATIC ${CORE_SOURCES})

set(QUORIN_GENERATED ${CMAKE_BINARY_DIR}/generated)
include(${CMAKE_SOURCE_DIR}/tools/sources.cmake OPTIONAL)

# The lesson containers, embedded in native binaries the way the .rc file
# embeds them in the Windows program.
if(TARGET quorin_content_data)
  set(QUORIN_CONTENT quorin_content_data)
endif()

include(${CMAKE_SOURCE_DIR}/tools/cli/sources.cmake OPTIONAL)

# Unit tests: every tests/**/*_test.cpp.
add_subdirectory(${GTEST_SRC} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
file(GLOB_RECURSE UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_test.cpp)
if(QUORIN_PORTABLE_DECODE)
  list(FILTER UNIT_TEST_SOURCES INCLUDE REGEX
    "/tests/(content/(lesson_store|compiled_lessons|containers)|hostile/damaged_container|search/real_lessons)_test\\.cpp$")
endif()
if(UNIT_TEST_SOURCES)
  add_executable(unit_tests ${UNIT_TEST_SOURCES})
  target_link_libraries(unit_tests PRIVATE quorin_core ${QUORIN_CONTENT} ${QUORIN_TOOL_LIBS} GTest::gtest_main GTest::gmock)
  target_compile_definitions(unit_tests PRIVATE
    QUORIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}" QUORIN_GENERATED_DIR="${QUORIN_GENERATED}")
  # Failure injection: tests/rationed_malloc.h stands in for malloc.
  if(NOT QUORIN_PORTABLE_DECODE)
    target_link_options(unit_tests PRIVATE -Wl,--wrap=malloc)
  endif()
  add_test(NAME unit_tests COMMAND unit_tests)
  set_tests_properties(unit_tests PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1")
endif()

include(${CMAKE_SOURCE_DIR}/bench/sources.cmake OPTIONAL)
