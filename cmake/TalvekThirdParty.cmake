# zlib, minizip (built from Debian's zlib source package, unpacked by
# scripts/fetch-deps.sh) and GoogleTest (built from Debian's googletest sources).

set(MINIZIP_SOURCE_DIR ${TALVEK_DEPS_DIR}/zlib-1.2.13.dfsg/contrib/minizip)
if(NOT EXISTS ${MINIZIP_SOURCE_DIR}/unzip.c)
  message(FATAL_ERROR "minizip sources not found in ${MINIZIP_SOURCE_DIR}: run scripts/fetch-deps.sh")
endif()

if(WIN32)
  # Built here from the same sources rather than taken as the toolchain's
  # static archive (never an import library: only system DLLs may be
  # imported): so it is small code optimised with the program as one, 16 KiB
  # less. The CRC tables are computed on first use (once, thread
  # safe) instead of lying in the file, 4 KiB less.
  set(ZLIB_SOURCE_DIR ${TALVEK_DEPS_DIR}/zlib-1.2.13.dfsg)
  set(zlib_sources adler32 compress crc32 deflate infback inffast inflate inftrees trees uncompr zutil)
  list(TRANSFORM zlib_sources PREPEND ${ZLIB_SOURCE_DIR}/)
  list(TRANSFORM zlib_sources APPEND .c)
  # Its users include the toolchain's zlib.h, of the same version.
  add_library(zlib_static STATIC ${zlib_sources})
  target_compile_definitions(zlib_static PRIVATE DYNAMIC_CRC_TABLE)
  # No unwind tables: nothing in it calls back into code that throws.
  target_compile_options(zlib_static PRIVATE -w -fno-asynchronous-unwind-tables)
  set(TALVEK_ZLIB zlib_static)
else()
  find_package(ZLIB REQUIRED)
  set(TALVEK_ZLIB ZLIB::ZLIB)
endif()

# Third-party code is compiled as it is, without our warnings and sanitizers' noise.
add_library(minizip STATIC ${MINIZIP_SOURCE_DIR}/unzip.c ${MINIZIP_SOURCE_DIR}/zip.c ${MINIZIP_SOURCE_DIR}/ioapi.c)
target_include_directories(minizip SYSTEM PUBLIC ${MINIZIP_SOURCE_DIR})
target_compile_definitions(minizip PUBLIC NOCRYPT NOUNCRYPT)
target_compile_options(minizip PRIVATE -w)
target_link_libraries(minizip PUBLIC ${TALVEK_ZLIB})
if(WIN32)
  target_sources(minizip PRIVATE ${MINIZIP_SOURCE_DIR}/iowin32.c)
endif()

if(NOT TALVEK_FUZZ)
  set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

  # GoogleTest's own sources include <chrono>, whose "µs" has no GBK spelling.
  # It is not what the tests examine: built as test code, and without the
  # sanitizers and debug information, which make it the slowest file of the
  # host build (the tests' own files keep both).
  foreach(target gtest gtest_main gmock gmock_main)
    get_target_property(options ${target} COMPILE_OPTIONS)
    if(options)
      list(REMOVE_ITEM options -fexec-charset=GBK)
      set_target_properties(${target} PROPERTIES COMPILE_OPTIONS "${options}")
    endif()
    talvek_test_code(${target})
    if(NOT WIN32)
      target_compile_options(${target} PRIVATE -g0 -fno-sanitize=all)
    endif()
  endforeach()
endif()
