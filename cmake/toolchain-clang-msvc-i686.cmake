# Builds Windows programs the Visual C++ way on this machine: clang-cl (the
# cl-compatible driver, MSVC ABI and language mode) and lld-link, for
# i686. There is no Windows SDK or Visual C++ runtime here, so nothing is
# linked by default: a project names every import library it uses, and its
# programs bring their own entry point (/nodefaultlib /entry:...).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR X86)
find_program(ZUBO_CLANG_CL NAMES clang-cl clang-cl-14 REQUIRED)
set(CMAKE_C_COMPILER "${ZUBO_CLANG_CL}")
set(CMAKE_CXX_COMPILER "${ZUBO_CLANG_CL}")
set(CMAKE_C_COMPILER_TARGET i686-pc-windows-msvc)
set(CMAKE_CXX_COMPILER_TARGET i686-pc-windows-msvc)
set(CMAKE_LINKER lld-link)
set(CMAKE_AR llvm-lib)
set(CMAKE_RC_COMPILER llvm-rc)
set(CMAKE_MT llvm-mt)
# Checks link static libraries only: an executable needs a runtime.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "no SDK import libraries")
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "no SDK import libraries")
