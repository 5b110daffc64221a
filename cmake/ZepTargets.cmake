# Helpers that give every target of the project the same warnings and layout.

function(zep_warnings target)
  if(MSVC)
    # The sources are UTF-8.
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /EHsc /permissive-)
    return()
  endif()
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion -Werror)
  # GCC 12 reports -Wrestrict on every "literal" + std::string at -O3 (GCC bug 105651).
  target_compile_options(${target} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
endfunction()

# zep_library(name [SHARED] SOURCES ... DEPENDS ...): a library for one subsystem folder (static
# unless SHARED), with the alias zep::name, including the project root so headers are named by
# folder ("log/pmx_logger.h"). SHARED libraries are shared with the simulated host's programs;
# the Visual Studio build makes the one module 3ds Max loads, self-contained, so every library
# is static there.
function(zep_library name)
  cmake_parse_arguments(ARG "SHARED" "" "SOURCES;DEPENDS" ${ARGN})
  if(ARG_SHARED AND NOT MSVC)
    add_library(zep_${name} SHARED ${ARG_SOURCES})
  else()
    add_library(zep_${name} STATIC ${ARG_SOURCES})
  endif()
  add_library(zep::${name} ALIAS zep_${name})
  target_include_directories(zep_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(zep_${name} PUBLIC ${ARG_DEPENDS})
  zep_warnings(zep_${name})
endfunction()
