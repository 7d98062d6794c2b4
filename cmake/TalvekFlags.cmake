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
  add_compile_options(-O2)
  # Static runtime: the executable imports only system DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++ -s -Wl,--no-insert-timestamp)
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
