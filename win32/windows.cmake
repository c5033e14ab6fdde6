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
# comctl32 as Windows 95 and NT 4.0 have it (4.70): InitCommonControls, image lists;
# comdlg32 for the open and save dialogs.
target_link_libraries(lumetra_win32 PUBLIC lumetra_shell comctl32 comdlg32)
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

# Compiled once, for the program and the window tests.
add_library(lumetra_resources OBJECT ${PROJECT_SOURCE_DIR}/win32/lumetra.rc)

add_executable(lumetra WIN32 ${PROJECT_SOURCE_DIR}/win32/app_main.cpp $<TARGET_OBJECTS:lumetra_resources>)
target_link_libraries(lumetra PRIVATE lumetra_win32)
# Runs on Windows 95 and NT 4.0: subsystem version 4.0, and no runtime DLL beyond msvcrt.
target_link_options(lumetra PRIVATE -static -Wl,--subsystem,windows:4.0
  -Wl,--major-os-version,4,--minor-os-version,0)
set_target_properties(lumetra PROPERTIES OUTPUT_NAME lumetra RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
