// The library's exports. None lets an exception reach the host.
#include "plugin/plugin_exports.h"

#include <json/json.h>

#include <algorithm>

#include "log/guarded_call.h"
#include "plugin/zep_class_desc.h"
#include "resources/resource.h"
#include "resources/string_loader.h"
#include "resources/string_source.h"
#include "text/conversions.h"
#include "workflow/host_text.h"
#include "workflow/submission_events.h"

const MCHAR* LibDescription() {
    return GuardedCall("LibDescription", static_cast<const MCHAR*>(nullptr),
                       [] { return ToHostText(LoadResourceString(IDS_LIB_DESCRIPTION)); });
}

int LibNumberClasses() {
    return 1;
}

ClassDesc* LibClassDesc(int index) {
    return GuardedCall("LibClassDesc", static_cast<ClassDesc*>(nullptr), [index]() -> ClassDesc* {
        return index == 0 ? &GetZepClassDesc() : nullptr;
    });
}

ULONG LibVersion() {
    return kMaxSdkVersion;
}

int LibInitialize() {
    return TRUE;
}

int LibShutdown() {
    return TRUE;
}

// Read straight from the table, as LoadStringW does, so the plug-in's own loader buffers keep
// what they hold.
int ZepLoadString(int id, char16_t* buffer, int bufferUnits) {
    return GuardedCall("ZepLoadString", 0, [=] {
        void* module = ResourceModule();
        std::u16string_view view;
        if (module == nullptr || buffer == nullptr || bufferUnits <= 0 ||
            !resources::FindModuleString(module, id, view)) {
            return 0;
        }
        size_t units = std::min(view.size(), static_cast<size_t>(bufferUnits - 1));
        std::copy_n(view.data(), units, buffer);
        buffer[units] = u'\0';
        return static_cast<int>(units);
    });
}

int ZepSubmissionIdle() {
    return GuardedCall("ZepSubmissionIdle", 1, [] { return SubmissionSettled() ? 1 : 0; });
}

namespace {

std::string OutcomeJson(const SubmissionOutcome& outcome) {
    Json::Value json(Json::objectValue);
    json["result"] = outcome.result;
    json["stoppedAt"] = outcome.report.stoppedAt;
    json["requestId"] = ToUtf8(outcome.report.requestId);
    json["jobFile"] = ToUtf8(outcome.report.jobFile);
    json["archive"] = outcome.report.archivePath;
    json["outputFolder"] = ToUtf8(outcome.report.outputFolder);
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "";
    writer["emitUTF8"] = true;
    return Json::writeString(writer, json);
}

}  // namespace

// A failure leaves the observer as it was.
void ZepSetSubmissionObserver(ZepSubmissionObserver observer, void* context) {
    GuardedCall("ZepSetSubmissionObserver", [=] {
        if (observer == nullptr) {
            SetSubmissionFinishedHandler(nullptr);
            return;
        }
        SetSubmissionFinishedHandler([observer, context](const SubmissionOutcome& outcome) {
            // A report that cannot be made is dropped.
            GuardedCall("ZepSubmissionObserver",
                        [&] { observer(OutcomeJson(outcome).c_str(), context); });
        });
    });
}

void ZepSetSubmissionStepObserver(ZepStepObserver observer, void* context) {
    GuardedCall("ZepSetSubmissionStepObserver", [=] {
        if (observer == nullptr) {
            SetSubmissionStepHandler(nullptr);
            return;
        }
        SetSubmissionStepHandler([observer, context](const char* step) {
            GuardedCall("ZepStepObserver", [&] { observer(step, context); });
        });
    });
}
