# The libraries the Windows cross build compiles from source, under the names the Linux build
# finds through Debian's packages: JsonCpp::JsonCpp, GTest::gtest, GTest::gtest_main,
# GTest::gmock and CLI11::CLI11.

# jsoncpp: the amalgamated release beside the project (Debian has no mingw-w64 build of it).
set(ZEP_JSONCPP_SOURCE_DIR "${PROJECT_SOURCE_DIR}/../shared/third_party/jsoncpp-1.9.5"
    CACHE PATH "The amalgamated jsoncpp 1.9.5 (jsoncpp.cpp and json/)")
if(NOT EXISTS "${ZEP_JSONCPP_SOURCE_DIR}/jsoncpp.cpp")
  message(FATAL_ERROR "No amalgamated jsoncpp in ${ZEP_JSONCPP_SOURCE_DIR}")
endif()
add_library(zep_jsoncpp STATIC "${ZEP_JSONCPP_SOURCE_DIR}/jsoncpp.cpp")
target_include_directories(zep_jsoncpp SYSTEM PUBLIC "${ZEP_JSONCPP_SOURCE_DIR}")
# The amalgamation has json/json.h alone; the headers the sources name one by one lead there.
set(zep_jsoncpp_headers "${CMAKE_BINARY_DIR}/third_party/jsoncpp")
foreach(header value reader writer)
  file(WRITE "${zep_jsoncpp_headers}/json/${header}.h" "#pragma once\n#include <json/json.h>\n")
endforeach()
target_include_directories(zep_jsoncpp SYSTEM PUBLIC "${zep_jsoncpp_headers}")
add_library(JsonCpp::JsonCpp ALIAS zep_jsoncpp)

# CLI11 is header only; its Debian headers are plain C++ and serve the cross build as they are.
# They are reached through a folder of their own so that /usr/include stays out of the build.
set(ZEP_CLI11_INCLUDE_DIR "/usr/include/CLI" CACHE PATH "The CLI11 headers (the CLI folder)")
set(zep_cli11_root "${CMAKE_BINARY_DIR}/third_party/cli11")
file(MAKE_DIRECTORY "${zep_cli11_root}")
file(CREATE_LINK "${ZEP_CLI11_INCLUDE_DIR}" "${zep_cli11_root}/CLI" SYMBOLIC)
add_library(zep_cli11 INTERFACE)
target_include_directories(zep_cli11 SYSTEM INTERFACE "${zep_cli11_root}")
add_library(CLI11::CLI11 ALIAS zep_cli11)

# GoogleTest and GoogleMock from Debian's sources (googletest defines the GTest:: aliases).
if(BUILD_TESTING)
  set(ZEP_GOOGLETEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest's sources")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory("${ZEP_GOOGLETEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/third_party/googletest"
                   EXCLUDE_FROM_ALL SYSTEM)
endif()

# Test programs run under Wine, in a prefix of this build's own.
if(CMAKE_CROSSCOMPILING)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/cmake/run-under-wine.sh"
                                    "${CMAKE_BINARY_DIR}/wine-prefix")
endif()
