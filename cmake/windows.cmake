# Windows build (MinGW-w64): zarkit.exe, and for win64 the Windows-side tests and helpers.

add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601 WINVER=0x0601)
# No MinGW DLLs beside the exe.
add_link_options(-static)

set(ZARKIT_WIN32_LIBS user32 gdi32 msimg32 comctl32 comdlg32 shell32 shlwapi ole32 oleaut32 oleacc uuid advapi32)

add_library(zarkit_ui STATIC ${ZARKIT_UI_SOURCES})
target_link_libraries(zarkit_ui PUBLIC zarkit_core ${ZARKIT_WIN32_LIBS})

add_library(zarkit_store_win STATIC ${ZARKIT_WIN_STORE_SOURCES})
target_link_libraries(zarkit_store_win PUBLIC zarkit_ui)
# The core's store calls the file access defined here: link it after the core as well.
target_link_libraries(zarkit_core INTERFACE zarkit_store_win)

add_library(zarkit_app STATIC ${ZARKIT_APP_SOURCES})
target_link_libraries(zarkit_app PUBLIC zarkit_store_win zarkit_ui)

# The resource script pulls these in; rebuild it when they change.
file(GLOB ZARKIT_RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.bmp ${CMAKE_SOURCE_DIR}/res/*.ico
     ${CMAKE_SOURCE_DIR}/res/*.manifest ${CMAKE_SOURCE_DIR}/res/resource.h)
set_source_files_properties(res/zarkit.rc PROPERTIES OBJECT_DEPENDS "${ZARKIT_RESOURCE_FILES}")

add_executable(zarkit WIN32 src/app/main.cpp res/zarkit.rc)
target_link_libraries(zarkit PRIVATE zarkit_app)
target_link_options(zarkit PRIVATE -municode)
set_target_properties(zarkit PROPERTIES OUTPUT_NAME zarkit)

# The help file beside zarkit.exe, compiled from docs/help in a copy of it (chmcmd writes
# its output next to the project file).
find_program(ZARKIT_CHMCMD chmcmd)
if(ZARKIT_CHMCMD)
  file(GLOB_RECURSE ZARKIT_HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/help/*)
  set(zarkit_help_dir ${CMAKE_BINARY_DIR}/help)
  file(MAKE_DIRECTORY ${zarkit_help_dir})
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/Zarkit.chm
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/docs/help ${zarkit_help_dir}
    COMMAND ${ZARKIT_CHMCMD} --verbosity 0 zarkit.hhp
    COMMAND ${CMAKE_COMMAND} -E rename Zarkit.chm ${CMAKE_BINARY_DIR}/Zarkit.chm
    WORKING_DIRECTORY ${zarkit_help_dir}
    DEPENDS ${ZARKIT_HELP_SOURCES}
    COMMENT "Compiling the help file Zarkit.chm"
    VERBATIM)
  add_custom_target(zarkit_help ALL DEPENDS ${CMAKE_BINARY_DIR}/Zarkit.chm)
else()
  message(WARNING "chmcmd (Debian package fp-utils) not found: Zarkit.chm is not built")
endif()

if(NOT ZARKIT_TESTS)
  return()
endif()

enable_testing()

# GoogleTest from Debian's sources, built with this toolchain.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_executable(zarkit_win_tests ${ZARKIT_WIN_TEST_SOURCES} res/zarkit.rc)
# Its own main: the tests run in a COM apartment.
target_link_libraries(zarkit_win_tests PRIVATE zarkit_app gtest version)
# The hyperlink tests start the launch marker; the version test reads the zarkit.exe beside it.
add_dependencies(zarkit_win_tests launch_marker zarkit)

# Helpers the end-to-end tests put beside the program.
add_executable(update_marker tests/helpers/update_marker.cpp)
target_link_options(update_marker PRIVATE -municode)
add_executable(launch_marker tests/helpers/launch_marker.cpp)
target_link_options(launch_marker PRIVATE -municode)
target_link_libraries(launch_marker PRIVATE shell32)
add_executable(drag_source WIN32 tests/helpers/drag_source.cpp)
target_link_options(drag_source PRIVATE -municode)
target_link_libraries(drag_source PRIVATE zarkit_app)
add_executable(full_screen_window WIN32 tests/helpers/full_screen_window.cpp)
target_link_options(full_screen_window PRIVATE -municode)
add_executable(focus_window WIN32 tests/helpers/focus_window.cpp)
target_link_options(focus_window PRIVATE -municode)
add_executable(zkprobe tests/helpers/zkprobe.cpp)
target_link_options(zkprobe PRIVATE -municode)
target_link_libraries(zkprobe PRIVATE user32 shell32 psapi advapi32 oleacc ole32 oleaut32 uuid)

# Start-up benchmark's floor: a program that only registers, creates and shows one window.
add_executable(floor_window WIN32 bench/floor_window.cpp)
target_link_options(floor_window PRIVATE -municode)
# Its second floor: one window with the system components the program loads.
add_executable(components_floor WIN32 bench/components_floor.cpp bench/components_floor.rc)
target_link_options(components_floor PRIVATE -municode)
target_link_libraries(components_floor PRIVATE ole32 oleaut32 comctl32 shell32 uuid)

# Tests under Wine. The test script sets WINEPREFIX and keeps a wineserver running.
set(ZARKIT_WINE /usr/lib/wine/wine64)
add_test(NAME win_tests COMMAND ${ZARKIT_WINE} $<TARGET_FILE:zarkit_win_tests> --gtest_brief=1)

foreach(script ${ZARKIT_E2E_TESTS})
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME e2e_${name} COMMAND python3 ${CMAKE_SOURCE_DIR}/${script})
  set_tests_properties(e2e_${name} PROPERTIES
    RUN_SERIAL ON
    LABELS e2e
    ENVIRONMENT "ZARKIT_EXE=$<TARGET_FILE:zarkit>;ZARKIT_PROBE=$<TARGET_FILE:zkprobe>;ZARKIT_UPDATE_HELPER=$<TARGET_FILE:update_marker>;ZARKIT_LAUNCH_MARKER=$<TARGET_FILE:launch_marker>;ZARKIT_FULL_SCREEN=$<TARGET_FILE:full_screen_window>;ZARKIT_DRAG_SOURCE=$<TARGET_FILE:drag_source>;ZARKIT_FOCUS_WINDOW=$<TARGET_FILE:focus_window>;ZARKIT_HELP=${CMAKE_BINARY_DIR}/Zarkit.chm;ZARKIT_ARTIFACTS=${CMAKE_BINARY_DIR}/artifacts")
endforeach()
