# Linux build: the portable core with its unit tests, benchmarks and fuzz target.

find_package(pugixml REQUIRED)

add_library(zarkit_store_native STATIC ${ZARKIT_NATIVE_STORE_SOURCES})
target_link_libraries(zarkit_store_native PUBLIC zarkit_core pugixml::static)
# Core's store reads and writes its file through io::, which this library provides:
# a cycle of static libraries, which CMake resolves by listing them twice.
target_link_libraries(zarkit_core INTERFACE zarkit_store_native)

if(NOT ZARKIT_TESTS)
  return()
endif()

enable_testing()
find_package(GTest REQUIRED)

add_executable(zarkit_core_tests ${ZARKIT_CORE_TEST_SOURCES})
target_link_libraries(zarkit_core_tests PRIVATE zarkit_store_native GTest::gtest GTest::gtest_main)
add_test(NAME core_tests COMMAND zarkit_core_tests --gtest_brief=1)

# Kills a child that saves the store in a loop: its own test, so its run time shows.
add_executable(store_crash_child ${ZARKIT_CRASH_CHILD_SOURCES})
target_link_libraries(store_crash_child PRIVATE zarkit_store_native)
add_executable(zarkit_store_crash_tests ${ZARKIT_CRASH_TEST_SOURCES})
target_link_libraries(zarkit_store_crash_tests PRIVATE zarkit_store_native GTest::gtest
                      GTest::gtest_main)
target_compile_definitions(zarkit_store_crash_tests
                           PRIVATE ZARKIT_STORE_CRASH_CHILD="$<TARGET_FILE:store_crash_child>")
add_dependencies(zarkit_store_crash_tests store_crash_child)
add_test(NAME store_crash_test COMMAND zarkit_store_crash_tests --gtest_brief=1)

# Benchmarks: figures only, never a verdict. scripts/bench.sh runs bench/*_bench.
find_package(benchmark REQUIRED)
add_executable(store_bench ${ZARKIT_BENCH_SOURCES})
target_link_libraries(store_bench PRIVATE zarkit_store_native benchmark::benchmark)
set_target_properties(store_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
add_executable(find_bench ${ZARKIT_FIND_BENCH_SOURCES})
target_link_libraries(find_bench PRIVATE zarkit_core benchmark::benchmark)
set_target_properties(find_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

# The loader's fuzz target needs clang's libFuzzer, whatever compiler the preset uses: it
# is built by hand, one object per source so that make runs them in parallel and
# rebuilds only what changed. Not part of "all", which it would slow down by a good
# deal: scripts/fuzz.sh builds it.
find_program(ZARKIT_CLANGXX NAMES clang++)
if(ZARKIT_CLANGXX)
  set(zarkit_fuzz_default ON)
else()
  set(zarkit_fuzz_default OFF)
endif()
option(ZARKIT_FUZZ "Build the store loader's fuzz target with clang++" ${zarkit_fuzz_default})

if(ZARKIT_FUZZ)
  if(NOT ZARKIT_CLANGXX)
    message(FATAL_ERROR "ZARKIT_FUZZ needs clang++")
  endif()
  set(zarkit_fuzz_flags -std=c++20 -g -O1 -fno-omit-frame-pointer
      -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
      -Wall -Wextra -Wshadow -I${CMAKE_SOURCE_DIR}/src -I${CMAKE_SOURCE_DIR})
  if(ZARKIT_WERROR)
    list(APPEND zarkit_fuzz_flags -Werror)
  endif()
  get_target_property(zarkit_pugi_includes pugixml::static INTERFACE_INCLUDE_DIRECTORIES)
  foreach(dir IN LISTS zarkit_pugi_includes)
    # A system folder named again would break the C++ headers' #include_next.
    if(NOT dir IN_LIST CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES)
      list(APPEND zarkit_fuzz_flags -isystem ${dir})
    endif()
  endforeach()

  set(zarkit_fuzz_dir ${CMAKE_BINARY_DIR}/fuzz)
  file(MAKE_DIRECTORY ${zarkit_fuzz_dir}/obj)
  set(zarkit_fuzz_objects)
  foreach(source IN LISTS ZARKIT_CORE_SOURCES ZARKIT_NATIVE_STORE_SOURCES ZARKIT_FUZZ_SOURCES)
    string(REPLACE "/" "_" object ${source})
    set(object ${zarkit_fuzz_dir}/obj/${object}.o)
    add_custom_command(
      OUTPUT ${object}
      COMMAND ${ZARKIT_CLANGXX} ${zarkit_fuzz_flags} -MD -MF ${object}.d
              -c ${CMAKE_SOURCE_DIR}/${source} -o ${object}
      DEPENDS ${CMAKE_SOURCE_DIR}/${source}
      DEPFILE ${object}.d
      COMMENT "Building fuzz object ${source}"
      VERBATIM)
    list(APPEND zarkit_fuzz_objects ${object})
  endforeach()
  add_custom_command(
    OUTPUT ${zarkit_fuzz_dir}/store_loader_fuzz
    COMMAND ${ZARKIT_CLANGXX} -fsanitize=fuzzer,address,undefined ${zarkit_fuzz_objects}
            $<TARGET_FILE:pugixml::static> -o ${zarkit_fuzz_dir}/store_loader_fuzz
    DEPENDS ${zarkit_fuzz_objects}
    COMMENT "Linking fuzz target store_loader_fuzz"
    VERBATIM)
  add_custom_target(store_loader_fuzz DEPENDS ${zarkit_fuzz_dir}/store_loader_fuzz)
endif()
