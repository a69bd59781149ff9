# Benchmarks: built unsanitised and optimised so the times mean something,
# with the embedded lessons and zlib as the yardstick.
find_package(ZLIB)
if(ZLIB_FOUND)
  function(add_bench name)
    add_executable(${name} ${ARGN}
      ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/zlib_yardstick.cpp
      ${CMAKE_SOURCE_DIR}/content/resource_lookup_native.cpp
      ${CMAKE_SOURCE_DIR}/content/buffer_error_native.cpp
      ${CMAKE_SOURCE_DIR}/tools/compressor.cpp
      ${QUORIN_EMBED})
    target_compile_options(${name} PRIVATE -fno-sanitize=all -O2)
    target_link_options(${name} PRIVATE -fno-sanitize=all)
    target_link_libraries(${name} PRIVATE ZLIB::ZLIB)
  endfunction()

  # Encoder and decoder against zlib.
  add_bench(compress_bench ${CMAKE_CURRENT_LIST_DIR}/compress_bench.cpp ${CMAKE_SOURCE_DIR}/content/lesson_store.cpp)
  # The reader's table of figures (scripts/bench.sh): the whole portable heart.
  add_bench(reader_bench ${CMAKE_CURRENT_LIST_DIR}/reader_bench.cpp ${CORE_SOURCES})
endif()
