# Windows (mingw-w64) tree: the program and its Windows-side tests, run under Wine.
add_compile_options(-Wall -Wno-unused-parameter)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601 WINVER=0x0601)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/resources")

# Lesson containers come from the native tree's content compiler.
set(QUORIN_GENERATED "" CACHE PATH "generated/ folder of the native build tree")
if(QUORIN_GENERATED)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${QUORIN_GENERATED}")
endif()

# shell32 and comdlg32 are loaded on first use (base/late_libraries_win.cpp).
set(WIN_LIBS comctl32 gdi32 user32 advapi32 kernel32)
add_library(quorin_win STATIC ${CORE_SOURCES} ${WIN_SOURCES})
target_link_libraries(quorin_win PUBLIC ${WIN_LIBS})

file(GLOB RESOURCE_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc)
file(GLOB_RECURSE RESOURCE_DEPENDS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*)
if(QUORIN_GENERATED)
  # Rebuild the resources when the content compiler or the artwork changed
  # them (the artwork lies in a folder of its own, hence recursive).
  file(GLOB_RECURSE GENERATED_DEPENDS LIST_DIRECTORIES false CONFIGURE_DEPENDS ${QUORIN_GENERATED}/*)
  list(APPEND RESOURCE_DEPENDS ${GENERATED_DEPENDS})
endif()
add_library(quorin_resources OBJECT ${RESOURCE_SCRIPTS})
set_source_files_properties(${RESOURCE_SCRIPTS} PROPERTIES OBJECT_DEPENDS "${RESOURCE_DEPENDS}")

add_executable(quorin WIN32 ${CMAKE_SOURCE_DIR}/app/main.cpp $<TARGET_OBJECTS:quorin_resources>)
include(${CMAKE_SOURCE_DIR}/bench/sources.cmake)
target_link_libraries(quorin PRIVATE quorin_win)
target_link_options(quorin PRIVATE -municode -static -static-libgcc -static-libstdc++)

# Windows-side tests: every tests/**/*_wintest.cpp, one gtest program that
# links the program's code and resources and drives real windows.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SRC} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
file(GLOB_RECURSE WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_wintest.cpp)
if(WIN_TEST_SOURCES)
  add_executable(win_tests ${WIN_TEST_SOURCES} $<TARGET_OBJECTS:quorin_resources>)
  target_link_libraries(win_tests PRIVATE quorin_win GTest::gtest_main)
  # Failure injection: tests/rationed_malloc.h stands in for malloc.
  target_link_options(win_tests PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--wrap=malloc)
  add_test(NAME win_tests COMMAND win_tests)
  set_tests_properties(win_tests PROPERTIES TIMEOUT 900)
  # The suites whose pictures and hit tests depend on size, again at 144 DPI
  # (150 %) in a prefix of their own.
  set(QUORIN_SIZED_SUITES "DisplayScale.*:PageTest.*:SearchDialog.*:CalendarDialog.*:SectionChooser.*:ViewInput.*")
  add_test(NAME win_tests_144dpi
    COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-run-dpi.sh 144 ${CMAKE_BINARY_DIR}/wineprefix-144dpi
      $<TARGET_FILE:win_tests> --gtest_filter=${QUORIN_SIZED_SUITES})
  set_tests_properties(win_tests_144dpi PROPERTIES TIMEOUT 900 LABELS dpi)
endif()
