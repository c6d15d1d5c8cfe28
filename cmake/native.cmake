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
