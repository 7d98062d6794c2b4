# zlib, minizip (built from Debian's zlib source package, unpacked by
# scripts/fetch-deps.sh) and GoogleTest (built from Debian's googletest sources).

set(MINIZIP_SOURCE_DIR ${TALVEK_DEPS_DIR}/zlib-1.2.13.dfsg/contrib/minizip)
if(NOT EXISTS ${MINIZIP_SOURCE_DIR}/unzip.c)
  message(FATAL_ERROR "minizip sources not found in ${MINIZIP_SOURCE_DIR}: run scripts/fetch-deps.sh")
endif()

if(WIN32)
  # The static archive, never the import library: only system DLLs may be imported.
  find_library(ZLIB_STATIC NAMES libz.a REQUIRED)
  add_library(zlib_static STATIC IMPORTED)
  set_target_properties(zlib_static PROPERTIES IMPORTED_LOCATION ${ZLIB_STATIC})
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
  foreach(target gtest gtest_main gmock gmock_main)
    get_target_property(options ${target} COMPILE_OPTIONS)
    if(options)
      list(REMOVE_ITEM options -fexec-charset=GBK)
      set_target_properties(${target} PROPERTIES COMPILE_OPTIONS "${options}")
    endif()
  endforeach()
endif()
