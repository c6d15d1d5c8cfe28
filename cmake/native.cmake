# Linux build: the portable core with its unit tests, benchmarks and fuzz target.

if(NOT ZARKIT_TESTS)
  return()
endif()

enable_testing()
find_package(GTest REQUIRED)

add_executable(zarkit_core_tests ${ZARKIT_CORE_TEST_SOURCES})
target_link_libraries(zarkit_core_tests PRIVATE zarkit_core GTest::gtest GTest::gtest_main)
add_test(NAME core_tests COMMAND zarkit_core_tests --gtest_brief=1)
