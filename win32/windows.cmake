# lumetra.exe: the windows on the raw Win32 API. The front end is a library, so that
# the window tests drive the same code; the program is WinMain around it.
enable_language(RC)

add_library(lumetra_win32 STATIC
  ${PROJECT_SOURCE_DIR}/win32/dialog.cpp
  ${PROJECT_SOURCE_DIR}/win32/controls.cpp
  ${PROJECT_SOURCE_DIR}/win32/ctl3d.cpp
  ${PROJECT_SOURCE_DIR}/win32/main_window.cpp
  ${PROJECT_SOURCE_DIR}/win32/detail_window.cpp
  ${PROJECT_SOURCE_DIR}/win32/about_window.cpp)
# comctl32 as Windows 95 and NT 4.0 have it (4.70): InitCommonControls, image lists.
target_link_libraries(lumetra_win32 PUBLIC lumetra_shell comctl32)
# The layer's include root, as lumetra_layer_root makes it for the folders at the top.
set(lumetra_win32_root ${CMAKE_BINARY_DIR}/layers/lumetra_win32)
file(MAKE_DIRECTORY ${lumetra_win32_root})
if(NOT EXISTS ${lumetra_win32_root}/win32)
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/win32 ${lumetra_win32_root}/win32 SYMBOLIC)
endif()
target_include_directories(lumetra_win32 PUBLIC ${lumetra_win32_root})

# The icon files are named relative to win32/. The resource compiler's output depends
# on them, which its include scanning does not see: the glob is checked at every build.
file(GLOB lumetra_icon_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/win32/icons.rc
  ${PROJECT_SOURCE_DIR}/win32/icons/*.ico)
set_source_files_properties(${PROJECT_SOURCE_DIR}/win32/lumetra.rc PROPERTIES
  OBJECT_DEPENDS "${lumetra_icon_files}"
  COMPILE_OPTIONS "-I${PROJECT_SOURCE_DIR}/win32"
  COMPILE_DEFINITIONS "LUMETRA_VERSION_MAJOR=${PROJECT_VERSION_MAJOR};LUMETRA_VERSION_MINOR=${PROJECT_VERSION_MINOR}")

add_executable(lumetra WIN32 ${PROJECT_SOURCE_DIR}/win32/app_main.cpp ${PROJECT_SOURCE_DIR}/win32/lumetra.rc)
target_link_libraries(lumetra PRIVATE lumetra_win32)
# Runs on Windows 95 and NT 4.0: subsystem version 4.0, and no runtime DLL beyond msvcrt.
target_link_options(lumetra PRIVATE -static -Wl,--subsystem,windows:4.0
  -Wl,--major-os-version,4,--minor-os-version,0)
set_target_properties(lumetra PROPERTIES OUTPUT_NAME lumetra RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The window tests: modal windows inspected from a second thread, and lumetra.exe run
# on a bad table. Added once win32/ is read, so that GoogleTest from tests/win is known.
function(lumetra_add_window_tests)
  if(NOT TARGET GTest::gtest)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest-win32 EXCLUDE_FROM_ALL)
  endif()
  add_executable(win_windows_tests ${PROJECT_SOURCE_DIR}/tests/win/windows_test.cpp
    ${PROJECT_SOURCE_DIR}/win32/lumetra.rc)
  target_sources(win_windows_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/table_builder.cpp)
  target_link_libraries(win_windows_tests PRIVATE lumetra_win32 GTest::gtest)
  target_include_directories(win_windows_tests PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(win_windows_tests PRIVATE
    LUMETRA_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data" LUMETRA_EXE="$<TARGET_FILE:lumetra>")
  set_target_properties(win_windows_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  add_dependencies(win_windows_tests lumetra)
  add_test(NAME win_windows COMMAND win_windows_tests)
  # Every wait inside has its own limit; this one is for a test that hangs all the same.
  set_tests_properties(win_windows PROPERTIES TIMEOUT 180)
endfunction()
if(LUMETRA_WINE_TESTS)
  cmake_language(DEFER CALL lumetra_add_window_tests)
endif()
