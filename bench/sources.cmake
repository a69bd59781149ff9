# Benchmarks: built unsanitised and optimised so the times mean something,
# with the embedded lessons and zlib as the yardstick.
if(WIN32)
  # The programs of the Wine rows, built on demand by scripts/bench.sh with
  # the program's own flags.
  function(add_win_bench name)
    add_executable(${name} ${ARGN})
    set_target_properties(${name} PROPERTIES EXCLUDE_FROM_ALL TRUE)
    target_link_options(${name} PRIVATE -municode -static -static-libgcc -static-libstdc++)
  endfunction()
  add_win_bench(minimal_window WIN32 ${CMAKE_CURRENT_LIST_DIR}/minimal_window_win.cpp)
  target_link_libraries(minimal_window PRIVATE gdi32 user32)
  add_win_bench(minimal_toolbar WIN32 ${CMAKE_CURRENT_LIST_DIR}/minimal_window_win.cpp)
  target_compile_definitions(minimal_toolbar PRIVATE BENCH_TOOLBAR)
  target_link_libraries(minimal_toolbar PRIVATE comctl32 gdi32 user32)
  add_win_bench(startup_probe ${CMAKE_CURRENT_LIST_DIR}/startup_probe_win.cpp)
  target_link_libraries(startup_probe PRIVATE psapi gdi32 user32)
  add_win_bench(layout_bench ${CMAKE_CURRENT_LIST_DIR}/layout_bench_win.cpp)
  target_link_libraries(layout_bench PRIVATE quorin_win)
  add_win_bench(search_bench ${CMAKE_CURRENT_LIST_DIR}/search_bench_win.cpp $<TARGET_OBJECTS:quorin_resources>)
  target_link_libraries(search_bench PRIVATE quorin_win)
  add_win_bench(startup_steps ${CMAKE_CURRENT_LIST_DIR}/startup_steps_win.cpp $<TARGET_OBJECTS:quorin_resources>)
  target_link_libraries(startup_steps PRIVATE quorin_win)
  add_win_bench(track_bench ${CMAKE_CURRENT_LIST_DIR}/track_bench_win.cpp $<TARGET_OBJECTS:quorin_resources>)
  target_link_libraries(track_bench PRIVATE quorin_win)
  add_win_bench(learned_write_bench ${CMAKE_CURRENT_LIST_DIR}/learned_write_bench_win.cpp)
  target_link_libraries(learned_write_bench PRIVATE quorin_win)
  add_win_bench(accessible_bench ${CMAKE_CURRENT_LIST_DIR}/accessible_bench_win.cpp $<TARGET_OBJECTS:quorin_resources>)
  target_link_libraries(accessible_bench PRIVATE quorin_win oleacc oleaut32 ole32 uuid)
  return()
endif()

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

# The whole-cycle EPUB export (scripts/bench.sh).
if(QUORIN_EXPORT_SOURCES)
  add_executable(export_bench ${CMAKE_CURRENT_LIST_DIR}/export_bench.cpp
    ${CORE_SOURCES} ${QUORIN_EXPORT_SOURCES} ${CMAKE_SOURCE_DIR}/tools/cli/reading_text.cpp
    ${CMAKE_SOURCE_DIR}/content/resource_lookup_native.cpp
    ${CMAKE_SOURCE_DIR}/content/buffer_error_native.cpp
    ${QUORIN_EMBED})
  target_compile_options(export_bench PRIVATE -fno-sanitize=all -O2)
  target_link_options(export_bench PRIVATE -fno-sanitize=all)
  target_link_libraries(export_bench PRIVATE ${QUORIN_ZLIB})
endif()
