# Helpers shared by every subsystem folder.
#
#   zubo_core(files...)    platform-independent sources (built natively and
#                          into the DLL)
#   zubo_win32(files...)   sources that need windows.h (DLL only)
#   zubo_test(name files... [WINDOWS_ONLY|NATIVE_ONLY])
#                          a GoogleTest program. Tests that use only the
#                          public API build both ways: natively against the
#                          core library and for Windows against ZUBO.dll.

set(ZUBO_TOP "${CMAKE_CURRENT_LIST_DIR}/..")
get_filename_component(ZUBO_TOP "${ZUBO_TOP}" ABSOLUTE)

set(ZUBO_WARNINGS -Wall -Wextra -Wshadow -Wno-missing-field-initializers)

macro(zubo_setup_targets)
  if(WIN32)
    set(ZUBO_WINDOWS ON)
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
    add_library(zubo_core STATIC)
    set(_zubo_dll_targets zubo_core)
    if(NOT ZUBO_BENCH AND NOT ZUBO_FUZZ)
      # Native unit tests may make allocations fail on purpose.
      target_compile_definitions(zubo_core PUBLIC ZUBO_FAULT_INJECTION)
    endif()
    if(ZUBO_FUZZ)
      # Coverage and sanitizers for the library code the fuzz targets drive.
      add_compile_options(-fsanitize=fuzzer-no-link,address,undefined
                          -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
      add_link_options(-fsanitize=address,undefined)
    endif()
    if(ZUBO_SANITIZE AND NOT ZUBO_BENCH AND NOT ZUBO_FUZZ)
      add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                          -fno-omit-frame-pointer)
      add_link_options(-fsanitize=address,undefined)
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
    # Only the 64-bit build can run here (wine64); the 32-bit product is
    # checked through its tables.
    if(CMAKE_CROSSCOMPILING_EMULATOR)
      add_test(NAME win64.${name} COMMAND ${name})
      set_tests_properties(win64.${name} PROPERTIES
        WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/bin" TIMEOUT 300)
    endif()
  else()
    target_link_libraries(${name} PRIVATE zubo_core ${ZUBO_GTEST} ${T_LIBS})
    add_test(NAME native.${name} COMMAND ${name})
    set_tests_properties(native.${name} PROPERTIES TIMEOUT 300)
  endif()
endfunction()
