# The real 3ds Max 2022 SDK for a Visual Studio build: ZEP_MAX_SDK_DIR (the msvc preset takes it
# from the environment variable ADSK_3DSMAX_SDK_2022) holds include/ and lib/x64/Release/.
# Gives the imported target MaxSdk::MaxSdk with the SDK libraries a utility plug-in links.
set(ZEP_MAX_SDK_DIR "$ENV{ADSK_3DSMAX_SDK_2022}" CACHE PATH "The 3ds Max 2022 SDK folder")
if(NOT EXISTS "${ZEP_MAX_SDK_DIR}/include/max.h")
  message(FATAL_ERROR "No 3ds Max 2022 SDK in '${ZEP_MAX_SDK_DIR}' (set ADSK_3DSMAX_SDK_2022)")
endif()

set(zep_max_sdk_libraries core geom gfx maxutil maxscrpt paramblk2 bmm)
add_library(MaxSdk::MaxSdk INTERFACE IMPORTED)
target_include_directories(MaxSdk::MaxSdk INTERFACE "${ZEP_MAX_SDK_DIR}/include")
foreach(library ${zep_max_sdk_libraries})
  target_link_libraries(MaxSdk::MaxSdk
                        INTERFACE "${ZEP_MAX_SDK_DIR}/lib/x64/Release/${library}.lib")
endforeach()
