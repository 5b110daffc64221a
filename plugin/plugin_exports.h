#pragma once
// What the plug-in module exports: the six functions every 3ds Max plug-in offers the host, and
// on Linux three more through which max-sim, the simulated host, reads the module's strings and
// follows its submissions. All with C linkage.

#include "iparamb2.h"

#if defined(_WIN32)
#define ZEP_PLUGIN_EXPORT __declspec(dllexport)
#else
#define ZEP_PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

// 3ds Max 2022: release 24000 << 16, API 60 << 8, SDK revision 0, which is what the 2022 SDK's
// VERSION_3DSMAX yields; built against the real SDK, the two are held equal.
inline constexpr ULONG kMaxSdkVersion = (24000UL << 16) + (60UL << 8) + 0;
#ifdef VERSION_3DSMAX
static_assert(kMaxSdkVersion == VERSION_3DSMAX, "LibVersion must be the 2022 SDK's version");
#endif

extern "C" {

ZEP_PLUGIN_EXPORT const MCHAR* LibDescription();
ZEP_PLUGIN_EXPORT int LibNumberClasses();
ZEP_PLUGIN_EXPORT ClassDesc* LibClassDesc(int index);
ZEP_PLUGIN_EXPORT ULONG LibVersion();
ZEP_PLUGIN_EXPORT int LibInitialize();
ZEP_PLUGIN_EXPORT int LibShutdown();

// The module's string table as the host reads it through the module handle (LoadStringW):
// copies string `id`, at most `bufferUnits` - 1 units and a terminating zero, and returns its
// length; 0 when the string is missing or the module handle is not set.
ZEP_PLUGIN_EXPORT int ZepLoadString(int id, char16_t* buffer, int bufferUnits);

// 1 when no submission worker and no progress window runs, 0 while one does.
ZEP_PLUGIN_EXPORT int ZepSubmissionIdle();

// Tells `observer` of every finished submission, on the worker's thread, as one UTF-8 JSON
// object: {"result", "stoppedAt", "requestId", "jobFile", "archive", "outputFolder"}. A null
// observer stops the reports.
using ZepSubmissionObserver = void (*)(const char* json, void* context);
ZEP_PLUGIN_EXPORT void ZepSetSubmissionObserver(ZepSubmissionObserver observer, void* context);

// Tells `observer` of each step of a submission as it begins, on the worker's thread, by the
// step's name. A null observer stops the reports.
using ZepStepObserver = void (*)(const char* step, void* context);
ZEP_PLUGIN_EXPORT void ZepSetSubmissionStepObserver(ZepStepObserver observer, void* context);
}
