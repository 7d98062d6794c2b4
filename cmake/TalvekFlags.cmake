# Compiler and linker settings shared by every target of one build.

# Keep build paths out of objects and debug info so builds are reproducible.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=
                    -ffile-prefix-map=${CMAKE_BINARY_DIR}/=build/)
add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)

if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # Sources are UTF-8; the target systems read narrow text as code page 936.
  # (<chrono> cannot be included under it: its "µs" has no GBK spelling.)
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=GBK)
endif()

if(WIN32)
  enable_language(RC)
  add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX STRICT WIN32_LEAN_AND_MEAN)
  # Small code: the installer mostly waits on the system and on GDI+. The
  # objects carry the compiler's intermediate form beside their machine code,
  # so the shipped executables are optimised as one program
  # (talvek_link_as_one_program) while tests and tools link the machine code.
  add_compile_options(-Os "$<$<COMPILE_LANGUAGE:C,CXX>:-flto;-ffat-lto-objects>")
  # Static runtime: the executable imports only system DLLs. Section garbage
  # collection drops the unused interface identifiers of the system import
  # libraries (code stays: the linker keeps every function with unwind data).
  # -fno-lto: the machine code in the objects, unless talvek_link_as_one_program
  # says otherwise (the linker would otherwise optimise whatever carries the
  # intermediate form).
  add_link_options(-static -static-libgcc -static-libstdc++ -s -Wl,--no-insert-timestamp -Wl,--gc-sections -fno-lto)
elseif(TALVEK_FUZZ)
  add_compile_options(-O1 -g -fsanitize=fuzzer-no-link,address,undefined)
  add_link_options(-fsanitize=address,undefined)
else()
  add_compile_options(-O1 -g)
  if(TALVEK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

# Links TARGET with whole-program optimisation (Windows build): about a
# quarter smaller than the objects' own machine code.
function(talvek_link_as_one_program target)
  if(WIN32)
    # -Os again after the build type's -O3; one partition, because split into
    # several this compiler stops with an internal error on symbols that the
    # parts share.
    target_link_options(${target} PRIVATE -Os -flto -flto-partition=one)
  endif()
endfunction()

# Test code is built to compile quickly, not to run fast: what the tests
# examine is the product code, which keeps its own flags. No optimisation
# (on Windows the least that debugging allows: beside the libraries' objects
# that carry the intermediate form, this linker loads some archive members
# twice when a caller is built at -O0), no intermediate form for
# whole-program linking (tests link machine code), and the headers every
# test file reads parsed once per target.
function(talvek_test_code target)
  if(WIN32)
    target_compile_options(${target} PRIVATE -Og -fno-lto)
  else()
    target_compile_options(${target} PRIVATE -O0)
  endif()
  cmake_parse_arguments(ARG "" "" "PRECOMPILED" ${ARGN})
  if(ARG_PRECOMPILED)
    target_precompile_headers(${target} PRIVATE ${ARG_PRECOMPILED})
  endif()
endfunction()
