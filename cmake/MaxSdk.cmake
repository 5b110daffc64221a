# The real 3ds Max 2022 SDK for a Visual Studio build: ZEP_MAX_SDK_DIR (the msvc preset takes it
# from the environment variable ADSK_3DSMAX_SDK_2022) holds include/ and lib/x64/Release/.
# Gives the imported target MaxSdk::MaxSdk with the SDK libraries a global utility plug-in with
# action tables, menus, MAXScript and custom controls links.
set(ZEP_MAX_SDK_DIR "$ENV{ADSK_3DSMAX_SDK_2022}" CACHE PATH "The 3ds Max 2022 SDK folder")
if(NOT EXISTS "${ZEP_MAX_SDK_DIR}/include/max.h")
  message(FATAL_ERROR "No 3ds Max 2022 SDK in '${ZEP_MAX_SDK_DIR}' (set ADSK_3DSMAX_SDK_2022)")
endif()

# core: the core interface, action tables and callbacks, menus, notifications, custom controls,
# FPValue; maxutil: WStr, the heap operators, interface servers; maxscrpt: MAXScript;
# paramblk2: ClassDesc2; gup: the GUP base class; geom and bmm: the types the GUP and action
# headers name (IPoint2, BitmapManager).
set(zep_max_sdk_libraries core maxutil maxscrpt paramblk2 gup geom bmm)
add_library(MaxSdk::MaxSdk INTERFACE IMPORTED)
target_include_directories(MaxSdk::MaxSdk INTERFACE "${ZEP_MAX_SDK_DIR}/include")
foreach(library ${zep_max_sdk_libraries})
  target_link_libraries(MaxSdk::MaxSdk
                        INTERFACE "${ZEP_MAX_SDK_DIR}/lib/x64/Release/${library}.lib")
endforeach()
