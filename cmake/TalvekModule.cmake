# talvek_module(NAME PURE <files> WINDOWS <files> DEPENDS <modules> LIBS <system libs>)
#
# A module's PURE files never include <windows.h>: they build in every
# build as NAME_pure, so they are unit tested and fuzzed natively. The
# Windows build adds the WINDOWS files in NAME, which links NAME_pure.
define_property(GLOBAL PROPERTY TALVEK_MODULES BRIEF_DOCS "module libraries" FULL_DOCS "module libraries")

function(talvek_module name)
  cmake_parse_arguments(ARG "" "" "PURE;WINDOWS;DEPENDS;LIBS" ${ARGN})
  set(pure_deps "")
  foreach(dep IN LISTS ARG_DEPENDS)
    if(TARGET ${dep}_pure)
      list(APPEND pure_deps ${dep}_pure)
    endif()
  endforeach()

  if(ARG_PURE)
    add_library(${name}_pure STATIC ${ARG_PURE})
    target_include_directories(${name}_pure PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name}_pure PUBLIC ${pure_deps})
    set_property(GLOBAL APPEND PROPERTY TALVEK_PURE_MODULES ${name}_pure)
  endif()

  if(WIN32)
    if(ARG_WINDOWS)
      add_library(${name} STATIC ${ARG_WINDOWS})
      set(scope PUBLIC)
    else()
      add_library(${name} INTERFACE)
      set(scope INTERFACE)
    endif()
    target_include_directories(${name} ${scope} ${CMAKE_SOURCE_DIR})
    if(ARG_PURE)
      target_link_libraries(${name} ${scope} ${name}_pure)
    endif()
    target_link_libraries(${name} ${scope} ${ARG_DEPENDS} ${ARG_LIBS})
    set_property(GLOBAL APPEND PROPERTY TALVEK_MODULES ${name})
  endif()
endfunction()
