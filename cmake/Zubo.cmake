# Helpers shared by every subsystem folder.
#
#   zubo_core(files...)    platform-independent sources (built natively and
#                          into the DLL)
#   zubo_win32(files...)   sources that need windows.h (DLL only)
#   zubo_test(name files... [WINDOWS_ONLY|NATIVE_ONLY])
#                          a GoogleTest program. Tests that use only the
#                          public API build both ways: natively against the
#                          core library and for Windows against ZUBO.dll.
#   zubo_windows_test(name COMMAND cmd... [PROPERTIES props...])
#                          a test that runs Windows programs, named
#                          win32.NAME or win64.NAME after the build.
#   zubo_windows_program(name files... [NO_LIBRARY] [LIBS libs...])
#                          a Windows program for tests that register it
#                          themselves (linked statically, against ZUBO.dll
#                          unless NO_LIBRARY: then it only builds after it).
#   zubo_codepage_tests(base program [FIXTURE name])
#                          runs the program under code page 932 and under
#                          1252 as tests BASE_932 and BASE_1252 (the 932 run
#                          sets the fixture up, the 1252 run needs it).
#
# Every Windows build registers its tests: the 32-bit product's under the
# 32-bit wine loader, the 64-bit build's under wine64. Where a build's
# programs cannot run on this machine (no 32-bit support in the kernel, or
# no wine32), its tests are still registered, but report as skipped with
# the reason, never as passed.

set(ZUBO_TOP "${CMAKE_CURRENT_LIST_DIR}/..")
get_filename_component(ZUBO_TOP "${ZUBO_TOP}" ABSOLUTE)

set(ZUBO_WARNINGS -Wall -Wextra -Wshadow -Wno-missing-field-initializers)

macro(zubo_setup_targets)
  if(WIN32)
    set(ZUBO_WINDOWS ON)
    zubo_probe_wine()
    # Executables and the DLL side by side, so that tests and examples find it.
    set(CMAKE_RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
    set(CMAKE_LIBRARY_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
    set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/lib")
    add_library(zubo_core OBJECT)
    add_library(ZUBO SHARED)
    target_link_libraries(ZUBO PRIVATE zubo_core)
    set_target_properties(ZUBO PROPERTIES
      PREFIX "" OUTPUT_NAME "ZUBO"
      IMPORT_PREFIX "lib" IMPORT_SUFFIX ".dll.a" ARCHIVE_OUTPUT_NAME "zubo")
    # Everything but the system DLLs is linked in: the DLL can be dropped
    # into a host's folder without the mingw runtime DLLs.
    target_link_options(ZUBO PRIVATE -static -static-libgcc -static-libstdc++
      -Wl,--nxcompat -Wl,--dynamicbase $<$<CONFIG:Release>:-s>)
    target_link_libraries(ZUBO PRIVATE user32 gdi32 shell32 kernel32)
    set(_zubo_dll_targets ZUBO zubo_core)
  else()
    set(ZUBO_WINDOWS OFF)
    # The instrumentation is set before any target is made: directory
    # options reach only targets created after them, and the library's own
    # code is what the sanitizers and the fuzzers' coverage must see.
    if(ZUBO_FUZZ)
      add_compile_options(-fsanitize=fuzzer-no-link,address,undefined
                          -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
      add_link_options(-fsanitize=address,undefined)
    elseif(ZUBO_SANITIZE AND NOT ZUBO_BENCH)
      add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                          -fno-omit-frame-pointer)
      add_link_options(-fsanitize=address,undefined)
    endif()
    add_library(zubo_core STATIC)
    set(_zubo_dll_targets zubo_core)
    if(NOT ZUBO_BENCH AND NOT ZUBO_FUZZ)
      # Native unit tests may make allocations fail on purpose.
      target_compile_definitions(zubo_core PUBLIC ZUBO_FAULT_INJECTION)
    endif()
  endif()
  foreach(t ${_zubo_dll_targets})
    target_include_directories(${t} PRIVATE "${ZUBO_TOP}/include" "${ZUBO_TOP}")
    target_compile_options(${t} PRIVATE ${ZUBO_WARNINGS}
      $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti>)
  endforeach()
  target_compile_definitions(zubo_core PUBLIC $<$<BOOL:${WIN32}>:WIN32_LEAN_AND_MEAN>)

  if(NOT ZUBO_BENCH AND NOT ZUBO_FUZZ)
    find_package(Threads REQUIRED)
    if(WIN32)
      # GoogleTest from Debian's sources, cross-built with the same compiler.
      set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
      set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
      set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
      add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
      set(ZUBO_GTEST gtest gmock gtest_main)
    else()
      find_package(GTest REQUIRED)
      set(ZUBO_GTEST GTest::gtest GTest::gmock GTest::gtest_main)
    endif()
    set(ZUBO_TESTS ON)
  else()
    set(ZUBO_TESTS OFF)
  endif()
endmacro()

function(zubo_core)
  target_sources(zubo_core PRIVATE ${ARGN})
endfunction()

function(zubo_win32)
  if(ZUBO_WINDOWS)
    target_sources(ZUBO PRIVATE ${ARGN})
  endif()
endfunction()

# Test programs for Windows are linked statically so that wine needs no
# mingw runtime DLLs; they reach the library only through ZUBO.dll.
function(zubo_test name)
  cmake_parse_arguments(T "WINDOWS_ONLY;NATIVE_ONLY" "" "LIBS" ${ARGN})
  if(NOT ZUBO_TESTS)
    return()
  endif()
  if(ZUBO_WINDOWS AND T_NATIVE_ONLY)
    return()
  endif()
  if(NOT ZUBO_WINDOWS AND T_WINDOWS_ONLY)
    return()
  endif()
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_include_directories(${name} PRIVATE "${ZUBO_TOP}/include" "${ZUBO_TOP}")
  target_compile_options(${name} PRIVATE ${ZUBO_WARNINGS})
  if(ZUBO_WINDOWS)
    target_link_libraries(${name} PRIVATE ZUBO ${ZUBO_GTEST} ${T_LIBS})
    target_link_options(${name} PRIVATE -static)
    zubo_windows_test(${name} COMMAND ${name}
      PROPERTIES WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/bin" TIMEOUT 300)
  else()
    target_link_libraries(${name} PRIVATE zubo_core ${ZUBO_GTEST} ${T_LIBS})
    add_test(NAME native.${name} COMMAND ${name})
    set_tests_properties(native.${name} PROPERTIES TIMEOUT 300)
  endif()
endfunction()

# Sets ZUBO_ARCH (win32 or win64), ZUBO_WINE_RUN (the command that runs one
# of this build's programs under wine) and ZUBO_CAN_RUN, with
# ZUBO_CANNOT_RUN_WHY when this machine cannot run them. The wine32 loader
# is itself a 32-bit program, so running it answers both questions: is
# wine32 there, and can the kernel execute 32-bit code.
macro(zubo_probe_wine)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(ZUBO_ARCH win32)
    set(_loader /usr/lib/wine/wine)
  else()
    set(ZUBO_ARCH win64)
    set(_loader /usr/lib/wine/wine64)
  endif()
  # -DZUBO_PROBE_LOADER=PATH probes another loader (to see the skip path).
  if(ZUBO_PROBE_LOADER)
    set(_loader "${ZUBO_PROBE_LOADER}")
  endif()
  set(ZUBO_WINE_RUN "${ZUBO_TOP}/tools/wine-run.sh" "--${ZUBO_ARCH}")
  set(ZUBO_CAN_RUN OFF)
  set(ZUBO_CANNOT_RUN_WHY "")
  if(NOT EXISTS "${_loader}")
    set(ZUBO_CANNOT_RUN_WHY "${_loader} is not installed")
  else()
    execute_process(COMMAND "${_loader}" --version RESULT_VARIABLE _rc
                    OUTPUT_QUIET ERROR_QUIET)
    if(_rc EQUAL 0)
      set(ZUBO_CAN_RUN ON)
    elseif(ZUBO_ARCH STREQUAL "win32")
      set(ZUBO_CANNOT_RUN_WHY "this machine cannot execute 32-bit programs")
    else()
      set(ZUBO_CANNOT_RUN_WHY "${_loader} does not run here")
    endif()
  endif()
  if(NOT ZUBO_CAN_RUN)
    message(STATUS "${ZUBO_ARCH} tests will be skipped: ${ZUBO_CANNOT_RUN_WHY}")
  endif()
endmacro()

function(zubo_windows_test name)
  cmake_parse_arguments(T "" "" "COMMAND;PROPERTIES" ${ARGN})
  set(test ${ZUBO_ARCH}.${name})
  if(ZUBO_CAN_RUN)
    add_test(NAME ${test} COMMAND ${T_COMMAND})
    if(T_PROPERTIES)
      set_tests_properties(${test} PROPERTIES ${T_PROPERTIES})
    endif()
  else()
    add_test(NAME ${test} COMMAND sh -c "echo \"skipped: $1\"; exit 77" skip
                                        "${ZUBO_CANNOT_RUN_WHY}")
    set_tests_properties(${test} PROPERTIES SKIP_RETURN_CODE 77)
  endif()
endfunction()

function(zubo_windows_program name)
  cmake_parse_arguments(P "NO_LIBRARY" "" "LIBS" ${ARGN})
  add_executable(${name} ${P_UNPARSED_ARGUMENTS})
  target_include_directories(${name} PRIVATE "${ZUBO_TOP}/include" "${ZUBO_TOP}")
  target_compile_options(${name} PRIVATE ${ZUBO_WARNINGS})
  if(P_NO_LIBRARY)
    add_dependencies(${name} ZUBO)
  else()
    target_link_libraries(${name} PRIVATE ZUBO)
  endif()
  target_link_libraries(${name} PRIVATE ${P_LIBS})
  target_link_options(${name} PRIVATE -static)
endfunction()

# Wine takes the system's ANSI code page from LC_ALL: ja_JP.UTF-8 gives
# 932, C.UTF-8 gives 1252. Both runs use the shared desktop.
function(zubo_codepage_tests base program)
  cmake_parse_arguments(C "" "FIXTURE" "" ${ARGN})
  foreach(cp "932|ja_JP.UTF-8|FIXTURES_SETUP" "1252|C.UTF-8|FIXTURES_REQUIRED")
    string(REPLACE "|" ";" cp "${cp}")
    list(GET cp 0 _acp)
    list(GET cp 1 _locale)
    list(GET cp 2 _fixture)
    set(_fixture_props "")
    if(C_FIXTURE)
      set(_fixture_props ${_fixture} ${C_FIXTURE}_${ZUBO_ARCH})
    endif()
    zubo_windows_test(${base}_${_acp}
      COMMAND env LC_ALL=${_locale} ZUBO_TEST_ACP=${_acp} ${ZUBO_WINE_RUN} ./${program}.exe
      PROPERTIES WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/bin" TIMEOUT 300
                 RESOURCE_LOCK desktop_input ${_fixture_props})
  endforeach()
endfunction()
