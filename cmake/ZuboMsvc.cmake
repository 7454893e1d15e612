# Visual C++ hosts, made with Debian's LLVM tools inside a mingw build tree.
#
#   zubo_msvc_import_library(OUTPUT lib DEF def [STDCALL])
#       an MSVC-format import library (llvm-dlltool) from a module-
#       definition file. STDCALL: the names carry the i386 __stdcall
#       decoration (Name@bytes), as the system DLLs' do.
#   zubo_msvc_executable(name OUTPUT exe SOURCES files... INCLUDES dirs...
#                        LIBS libs... ENTRY symbol [FLAGS flags...]
#                        [CXX_FLAGS flags...])
#       a program compiled in MSVC mode (clang --target=<arch>-pc-windows-msvc)
#       and linked by lld-link, with no C runtime: ENTRY is its entry point;
#       FLAGS are added to every compile, CXX_FLAGS to the C++ ones.
#   ZUBO_MSVC_STL_FLAGS, ZUBO_MSVC_STL_INCLUDES
#       the C++ standard headers for those compiles (flags; folders). No Visual C++ standard
#       library exists here, so they come from mingw-w64's libstdc++ (with
#       its C headers), which compiles in MSVC mode for its header-only
#       parts (string_view, type_traits, utility); __STRICT_ANSI__ as
#       -std=c++17 sets it for GCC.
#
# How llvm-dlltool decorates on i386: a name Foo in the .def file becomes
# the symbol _Foo (the object-file name of a __cdecl function Foo) and
# __imp__Foo, with import name type NOPREFIX, so that the program imports
# the export Foo by name (the .def ordinal is recorded as its hint). With
# STDCALL (-k), Foo@8 becomes the symbol _Foo@8, imported as Foo (name
# type UNDECORATE). x86_64 has a single calling convention and no
# decoration: Foo stays Foo.

find_program(ZUBO_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 REQUIRED)
find_program(ZUBO_MSVC_CLANG NAMES clang clang-14 REQUIRED)
find_program(ZUBO_LLD_LINK NAMES lld-link lld-link-14 REQUIRED)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(ZUBO_MSVC_TRIPLE i686-pc-windows-msvc)
  set(ZUBO_MSVC_MACHINE x86)
  set(_zubo_dlltool_machine i386)
else()
  set(ZUBO_MSVC_TRIPLE x86_64-pc-windows-msvc)
  set(ZUBO_MSVC_MACHINE x64)
  set(_zubo_dlltool_machine i386:x86-64)
endif()

function(zubo_msvc_import_library)
  cmake_parse_arguments(L "STDCALL" "OUTPUT;DEF" "" ${ARGN})
  get_filename_component(def "${L_DEF}" ABSOLUTE)
  set(flags "")
  if(L_STDCALL)
    if(ZUBO_MSVC_MACHINE STREQUAL "x86")
      # Symbols keep @bytes, the imported names lose it.
      set(flags -k)
    else()
      get_filename_component(base "${def}" NAME)
      file(READ "${def}" text)
      string(REGEX REPLACE "@[0-9]+" "" text "${text}")
      set(def "${CMAKE_CURRENT_BINARY_DIR}/x64-${base}")
      file(CONFIGURE OUTPUT "${def}" CONTENT "${text}" @ONLY)
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${L_DEF}")
    endif()
  endif()
  get_filename_component(name "${L_OUTPUT}" NAME)
  add_custom_command(OUTPUT "${L_OUTPUT}"
    COMMAND "${ZUBO_LLVM_DLLTOOL}" -m ${_zubo_dlltool_machine} ${flags}
            -d "${def}" -l "${L_OUTPUT}"
    DEPENDS "${def}"
    COMMENT "Making the MSVC import library ${name}"
    VERBATIM)
endfunction()

if(CMAKE_CROSSCOMPILING AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-libgcc-file-name
                  OUTPUT_VARIABLE _zubo_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(_zubo_gcc_dir "${_zubo_libgcc}" DIRECTORY)
  set(ZUBO_MSVC_STL_INCLUDES "${_zubo_gcc_dir}/include/c++"
      "${_zubo_gcc_dir}/include/c++/${ZUBO_MINGW_TRIPLE}" "${CMAKE_FIND_ROOT_PATH}/include")
  set(ZUBO_MSVC_STL_FLAGS -D__STRICT_ANSI__)
  foreach(_zubo_dir ${ZUBO_MSVC_STL_INCLUDES})
    list(APPEND ZUBO_MSVC_STL_FLAGS -isystem "${_zubo_dir}")
  endforeach()
endif()

function(zubo_msvc_executable name)
  cmake_parse_arguments(E "" "OUTPUT;ENTRY" "SOURCES;INCLUDES;LIBS;FLAGS;CXX_FLAGS" ${ARGN})
  set(objdir "${CMAKE_CURRENT_BINARY_DIR}/${name}.dir")
  file(MAKE_DIRECTORY "${objdir}")
  set(objects "")
  set(includes "")
  foreach(dir ${E_INCLUDES})
    list(APPEND includes "-I${dir}")
  endforeach()
  foreach(src ${E_SOURCES})
    get_filename_component(src "${src}" ABSOLUTE)
    get_filename_component(base "${src}" NAME)
    set(obj "${objdir}/${base}.obj")
    if(src MATCHES "\\.cpp$")
      set(lang -std=c++17 -fno-exceptions -fno-rtti ${E_CXX_FLAGS})
    else()
      set(lang -std=c11)
    endif()
    # What a Visual C++ project compiles with: the MSVC ABI and language
    # mode (the msvc triple), every warning an error. No stack protector or
    # other runtime helpers: there is no runtime to provide them.
    add_custom_command(OUTPUT "${obj}"
      COMMAND "${ZUBO_MSVC_CLANG}" --target=${ZUBO_MSVC_TRIPLE} ${lang} -O2
              -Wall -Wextra -pedantic -Werror -fno-stack-protector ${E_FLAGS} ${includes}
              -MD -MF "${obj}.d" -c "${src}" -o "${obj}"
      DEPENDS "${src}"
      DEPFILE "${obj}.d"
      COMMENT "Compiling ${base} in MSVC mode (${ZUBO_MSVC_TRIPLE})"
      VERBATIM)
    list(APPEND objects "${obj}")
  endforeach()
  # /nodefaultlib: no Visual C++ runtime exists here, so nothing may pull
  # one in; every import must come from the libraries given.
  add_custom_command(OUTPUT "${E_OUTPUT}"
    COMMAND "${ZUBO_LLD_LINK}" /nologo /nodefaultlib /entry:${E_ENTRY} /subsystem:console
            /machine:${ZUBO_MSVC_MACHINE} "/out:${E_OUTPUT}" ${objects} ${E_LIBS}
    DEPENDS ${objects} ${E_LIBS}
    COMMENT "Linking ${name} with lld-link"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS "${E_OUTPUT}")
endfunction()
