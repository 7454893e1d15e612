# Cross-compiles for Windows with mingw-w64 (x86_64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZUBO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${ZUBO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZUBO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${ZUBO_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZUBO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)  # lets hosts use CMAKE_PREFIX_PATH
# In the source tree its tests run under wine (see zubo_windows_test); an
# installed copy (lib/cmake/zubo/toolchains) has no such script and sets
# no emulator.
get_filename_component(_zubo_wine_run "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh" ABSOLUTE)
if(EXISTS "${_zubo_wine_run}")
  set(CMAKE_CROSSCOMPILING_EMULATOR "${_zubo_wine_run};--win64")
endif()
