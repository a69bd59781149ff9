# Fuzzing tree (clang, libFuzzer, ASan, UBSan): the portable heart built with
# coverage, and one fuzzer per tests/fuzz/fuzz_*.cpp. Configure with
#   CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DQUORIN_FUZZ=ON
# scripts/fuzz.sh does that and runs them.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "QUORIN_FUZZ needs clang (CXX=clang++)")
endif()
set(QUORIN_FUZZ_FLAGS -g -O1 -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined
    -fno-sanitize-recover=undefined)
add_compile_options(-Wall -Wno-unused-parameter)

add_library(fuzz_core STATIC ${CORE_SOURCES}
  ${CMAKE_SOURCE_DIR}/content/resource_lookup_native.cpp
  ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_support.cpp)
target_compile_options(fuzz_core PRIVATE ${QUORIN_FUZZ_FLAGS})

file(GLOB QUORIN_FUZZ_TARGETS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
list(REMOVE_ITEM QUORIN_FUZZ_TARGETS ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_support.cpp)
set(QUORIN_FUZZERS)
foreach(source ${QUORIN_FUZZ_TARGETS})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_compile_options(${name} PRIVATE ${QUORIN_FUZZ_FLAGS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE fuzz_core)
  list(APPEND QUORIN_FUZZERS ${name})
endforeach()
add_custom_target(fuzzers DEPENDS ${QUORIN_FUZZERS})
