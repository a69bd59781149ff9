# Encoder/decoder yardstick against zlib; built unsanitised and optimised so
# the times mean something.
find_package(ZLIB)
if(ZLIB_FOUND)
  add_executable(compress_bench
    ${CMAKE_CURRENT_LIST_DIR}/compress_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/zlib_yardstick.cpp
    ${CMAKE_SOURCE_DIR}/content/lesson_store.cpp
    ${CMAKE_SOURCE_DIR}/content/resource_lookup_native.cpp
    ${CMAKE_SOURCE_DIR}/content/buffer_error_native.cpp
    ${CMAKE_SOURCE_DIR}/tools/compressor.cpp
    ${QUORIN_EMBED})
  target_compile_options(compress_bench PRIVATE -fno-sanitize=all -O2)
  target_link_options(compress_bench PRIVATE -fno-sanitize=all)
  target_link_libraries(compress_bench PRIVATE ZLIB::ZLIB)
endif()

# The reader's table of figures (scripts/bench.sh): the portable heart built
# unsanitised and optimised, with the embedded lessons.
if(ZLIB_FOUND)
  add_executable(reader_bench ${CMAKE_CURRENT_LIST_DIR}/reader_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/zlib_yardstick.cpp ${CORE_SOURCES}
    ${CMAKE_SOURCE_DIR}/content/resource_lookup_native.cpp
    ${CMAKE_SOURCE_DIR}/content/buffer_error_native.cpp
    ${CMAKE_SOURCE_DIR}/tools/compressor.cpp
    ${QUORIN_EMBED})
  target_compile_options(reader_bench PRIVATE -fno-sanitize=all -O2)
  target_link_options(reader_bench PRIVATE -fno-sanitize=all)
  target_link_libraries(reader_bench PRIVATE ZLIB::ZLIB)
endif()
