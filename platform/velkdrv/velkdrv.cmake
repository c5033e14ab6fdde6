# velkdrv.dll, the physical-memory library shipped beside lumetra.exe; its test build,
# which serves an image file; the driver path's test under wine64; and the checks of
# the shipped files that need no Windows to run. Included from win32/CMakeLists.txt.

set(LUMETRA_VELKDRV_DIR ${CMAKE_CURRENT_LIST_DIR})

# No C runtime at all: the library imports kernel32 only, so it loads on every system
# the program runs on. libgcc (static) supplies the helpers the compiler may call.
function(lumetra_velkdrv_library target)
  add_library(${target} SHARED ${LUMETRA_VELKDRV_DIR}/velkdrv.cpp)
  set_target_properties(${target} PROPERTIES PREFIX "" IMPORT_PREFIX ""
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  target_compile_definitions(${target} PRIVATE WINVER=0x0400 _WIN32_WINNT=0x0400 ${ARGN})
  target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti -ffreestanding
    -fno-tree-loop-distribute-patterns)
  # --kill-at: the stdcall exports go out undecorated ("MapMem_Open", not "_MapMem_Open@0").
  target_link_options(${target} PRIVATE -nostdlib -Wl,--kill-at
    -Wl,--subsystem,windows:4.0 -Wl,--major-os-version,4,--minor-os-version,0)
  target_link_libraries(${target} PRIVATE kernel32 gcc)
endfunction()

lumetra_velkdrv_library(velkdrv)

if(LUMETRA_WINE_TESTS)
  lumetra_velkdrv_library(velkdrv_test LUMETRA_VELKDRV_TEST)
endif()

# The checks of the shipped files; win32/CMakeLists.txt includes this file after the
# programs are defined. The driver path's test under wine64 is in tests/win.
if(LUMETRA_TESTS)
  set(dir ${PROJECT_SOURCE_DIR}/platform/velkdrv)
  if(CMAKE_OBJDUMP)
    set(LUMETRA_OBJDUMP ${CMAKE_OBJDUMP})
  else()
    find_program(LUMETRA_OBJDUMP NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-objdump objdump REQUIRED)
  endif()
  find_program(LUMETRA_PYTHON3 python3 REQUIRED)
  set(check ${LUMETRA_PYTHON3} ${PROJECT_SOURCE_DIR}/tools/check-win32-binaries.py
    --objdump ${LUMETRA_OBJDUMP} --driver-source ${PROJECT_SOURCE_DIR}/platform/host_win.cpp
    --library $<TARGET_FILE:velkdrv>)
  if(TARGET lumetra-cli)
    list(APPEND check --console $<TARGET_FILE:lumetra-cli>)
  endif()
  if(TARGET lumetra)
    list(APPEND check --gui $<TARGET_FILE:lumetra>)
  endif()
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    # What we ship: imports against the old systems' functions, exports, subsystems.
    add_test(NAME win32_shipped_files COMMAND ${check}
      --allowlist ${PROJECT_SOURCE_DIR}/tools/win32-imports.allow --subsystem-version 4.0)
    # The check itself: the library linked without --kill-at exports "_Name@N"-style
    # names, which it must refuse.
    add_library(velkdrv_decorated SHARED ${dir}/velkdrv.cpp)
    set_target_properties(velkdrv_decorated PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/velkdrv-tests)
    target_compile_options(velkdrv_decorated PRIVATE -fno-exceptions -fno-rtti -ffreestanding
      -fno-tree-loop-distribute-patterns)
    target_link_options(velkdrv_decorated PRIVATE -nostdlib)
    target_link_libraries(velkdrv_decorated PRIVATE kernel32 gcc)
    add_test(NAME win32_check_refuses_decorated_exports COMMAND ${LUMETRA_PYTHON3}
      ${PROJECT_SOURCE_DIR}/tools/check-win32-binaries.py --objdump ${LUMETRA_OBJDUMP}
      --driver-source ${PROJECT_SOURCE_DIR}/platform/host_win.cpp --library $<TARGET_FILE:velkdrv_decorated>)
    set_tests_properties(win32_check_refuses_decorated_exports PROPERTIES
      PASS_REGULAR_EXPRESSION "does not export Pre_Open_Device.*exports Pre_Open_Device@12")
  else()
    # The 64-bit files need newer systems anyway: the library's names and imports and
    # the subsystems count here.
    add_test(NAME win64_files COMMAND ${check})
  endif()

endif()
