# Cross-compiles for Windows with mingw-w64 (i686).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZUBO_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${ZUBO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZUBO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${ZUBO_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZUBO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)  # lets hosts use CMAKE_PREFIX_PATH
# Its tests run under the 32-bit wine loader (see zubo_windows_test).
get_filename_component(_zubo_top "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_zubo_top}/tools/wine-run.sh;--win32")
