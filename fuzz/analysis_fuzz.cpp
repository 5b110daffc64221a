// Any text as an analysis result: the reader and the job writer must neither crash nor leak,
// whatever the analysis script (or a damaged file) hands them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "config/plugin_settings.h"
#include "fuzz/scratch_folder.h"
#include "platform/win/message_box.h"
#include "resources/string_loader.h"
#include "scene/analysis_reader.h"
#include "scene/job_description.h"
#include "text/conversions.h"

namespace {

std::filesystem::path FuzzRoot() {
    static const std::filesystem::path root = [] {
        std::filesystem::path folder = fuzzing::ScratchFolder("zep-fuzz");
        std::filesystem::create_directories(folder / "ZEP Rendering" / "script");
        std::filesystem::create_directories(folder / "json");
        ::setenv("PROGRAMDATA", folder.c_str(), 1);
        SetResourceModule(reinterpret_cast<void*>(1));
        return folder;
    }();
    return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::filesystem::path root = FuzzRoot();
    PluginState& state = GetPluginState();
    state.analysisText = FromUtf8(std::string(reinterpret_cast<const char*>(data), size));
    ReadAnalysisResult(state);
    bool tick = true;
    for (auto& entry : state.cameras) {
        entry.second.selected = tick;
        tick = !tick;
    }
    PluginSettings settings;
    settings.jsonFolder = FromUtf8((root / "json").string());
    settings.scenePath = "D:\\scenes\\house.max";
    settings.archivePath = "D:\\scenes\\house_abcdef.7z";
    settings.giScaleIndex = static_cast<int32_t>(size % 4);
    state.giChannel = size % 2 == 0;
    std::string notice;
    WriteJobDescription(state, nullptr, static_cast<unsigned>(size % 3), settings,
                        u"6F9619FF-8B86-D011-B42D-00C04FC964FF", notice);
    win::TakeMessageBoxes();
    std::filesystem::remove(root / "ZEP Rendering" / "log" / "pmx_data.log");
    return 0;
}
