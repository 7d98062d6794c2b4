# The shipped executables run elevated from folders anyone can write to.
# Their import tables name only libraries Windows protects as known DLLs
# (and comctl32 through the manifest); everything else is loaded late, once
# the entry point has narrowed the library search to the system folder.
if(NOT WIN32)
  return()
endif()

# Pinned here rather than left to whatever the linker defaults to: address
# space layout randomisation (which needs the relocations kept), no code
# from data pages, and no compatibility shims from terminal servers.
add_link_options(-Wl,--dynamicbase -Wl,--enable-reloc-section -Wl,--nxcompat -Wl,--tsaware)

# A canary before the return address of every function with a local array
# or a local whose address is taken: an overrun ends the program instead of
# returning into data. The guard lives in the compiler's static support
# library. The installer's entry sets it from the system's random source
# first, so the library's own start-up draw, which loads the crypto
# libraries before the first frame, does nothing there.
add_compile_options(-fstack-protector-strong)
link_libraries(ssp)

# Libraries the executables use that are not known DLLs. A target of the
# same name stands in for the system import library wherever a module names
# one: a delay-load import library made from the toolchain's own, so the
# first call, not the loader, loads the library (through the runtime's
# delay-load helper, by bare name, which the narrowed search makes safe).
# The common controls (the tooltips) and the shell (dialogs, shortcuts,
# starting programs) are protected, but are loaded late too: the first frame
# needs neither, and the controls' start-up is costly.
set(TALVEK_DELAY_LOADED gdiplus winmm msimg32 oleacc wininet comctl32 shell32)
# Their functions must be declared plain, never as imported (see
# toolkit/core/LateLoadedApis.h). These headers are reached through
# <windows.h> by every source, so their switches are set here for all.
add_compile_definitions(_WINMM_ _COMCTL32_ _SHELL32_)
get_filename_component(toolchain_bin ${CMAKE_CXX_COMPILER} DIRECTORY)
find_program(TALVEK_DLLTOOL ${TOOLCHAIN_PREFIX}-dlltool HINTS ${toolchain_bin} REQUIRED)
find_program(TALVEK_NM ${TOOLCHAIN_PREFIX}-nm HINTS ${toolchain_bin} REQUIRED)
# C names carry a leading underscore on 32-bit Windows only.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(TALVEK_C_PREFIX _)
else()
  set(TALVEK_C_PREFIX "")
endif()
set(delay_dir ${CMAKE_BINARY_DIR}/delay-load)
file(MAKE_DIRECTORY ${delay_dir})
foreach(library IN LISTS TALVEK_DELAY_LOADED)
  find_library(TALVEK_IMPORT_${library} NAMES lib${library}.a REQUIRED NO_CACHE)
  execute_process(COMMAND ${TALVEK_NM} -P --defined-only ${TALVEK_IMPORT_${library}}
                  OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "__imp_${TALVEK_C_PREFIX}[A-Za-z0-9_@?]+" imports "${symbols}")
  list(TRANSFORM imports REPLACE "^__imp_${TALVEK_C_PREFIX}" "")
  # The 64-bit import libraries also list the interface identifiers a
  # library exports as data; the program takes those from libuuid.
  list(FILTER imports EXCLUDE REGEX "^(IID|CLSID|LIBID)_")
  list(REMOVE_DUPLICATES imports)
  list(SORT imports)
  list(JOIN imports "\n" exports)
  file(WRITE ${delay_dir}/${library}.def "LIBRARY ${library}.dll\nEXPORTS\n${exports}\n")
  # Names relative to the folder and a fixed temporary prefix: the tool
  # puts both into member and symbol names, which must not depend on where
  # or by which process the tree is built.
  execute_process(COMMAND ${TALVEK_DLLTOOL} --deterministic-libraries --temp-prefix ${library}_delay --kill-at
                          --input-def ${library}.def --dllname ${library}.dll --output-delaylib lib${library}_delay.a
                  WORKING_DIRECTORY ${delay_dir} COMMAND_ERROR_IS_FATAL ANY)
  add_library(${library} INTERFACE)
  target_link_libraries(${library} INTERFACE ${delay_dir}/lib${library}_delay.a)
endforeach()

# Makes `target` start at the guarded entry point, which narrows the library
# search before the runtime's start-up runs.
# Also checks, after each link, that no call reads a late-loaded library's
# import slot directly: only the late-load stubs may.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
function(talvek_guarded_entry target)
  target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/installer/GuardedEntry.cpp)
  set(map ${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
  target_link_options(${target} PRIVATE -Wl,-e,${TALVEK_C_PREFIX}guardedEntry -Wl,--cref -Wl,-Map=${map})
  # The linker writes the map's headings in the build's language; the check
  # reads the English ones (a build in a Chinese locale is a normal case).
  set_target_properties(${target} PROPERTIES CXX_LINKER_LAUNCHER "env;LC_ALL=C;LANGUAGE=")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/cmake/check_late_imports.py ${map} ${TALVEK_DELAY_LOADED}
    VERBATIM)
endfunction()
