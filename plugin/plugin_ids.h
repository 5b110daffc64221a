#pragma once
// The identifiers under which the plug-in meets the host's action and menu systems.

#include <actiontableTypedefs.h>
#include <iMenuMan.h>
#include <maxtypes.h>
#include <strbasic.h>

inline constexpr ActionTableId kZepActionTableId = 0x45AA4389;
inline constexpr ActionContextId kZepActionContextId = 0x21933FB3;
inline constexpr MCHAR kZepActionContextName[] = _M("BrassMill");
inline constexpr MenuContextId kZepMenuContextId = 0x411A1C29;

// The plug-in's commands.
inline constexpr int kSubmitCommand = 1497;
inline constexpr int kAboutCommand = 1498;

// The plug-in's class.
inline constexpr ULONG kZepClassIdA = 0x92E04770;
inline constexpr ULONG kZepClassIdB = 0x337202D3;
