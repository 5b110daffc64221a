// Opening the main dialog on a large analysis (5,000 cameras, 100,000 reference files, 10,000
// missing files) against reading that analysis alone: the dialog adds the analysis run's file,
// the camera table, the warnings list and its checks. Prints the ratio after the table.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

#include "bench/analysis_generator.h"
#include "config/config_mgr.h"
#include "host/simulated_host.h"
#include "platform/headless/driver.h"
#include "resources/string_loader.h"
#include "scene/analysis_reader.h"
#include "text/conversions.h"
#include "workflow/main_dialog.h"

namespace {

std::string analysisUtf8;
std::u16string analysisWide;

// The analysis script: writes the analysis to the result path of the command.
BOOL WriteAnalysis(const std::u16string& script, FPValue*) {
    std::u16string path;
    if (maxsim::AnalysisResultPath(script, path)) {
        std::ofstream(ToUtf8(path), std::ios::binary) << analysisUtf8;
    }
    return 1;
}

void ReadAnalysis(benchmark::State& run) {
    PluginState& state = GetPluginState();
    for (auto _ : run) {
        state.analysisText = analysisWide;
        benchmark::DoNotOptimize(ReadAnalysisResult(state));
    }
}

void OpenMainDialog(benchmark::State& run) {
    for (auto _ : run) {
        win::headless::Driver().Close();
        ShowMainDialog(GetZEPRenderingConfigMgr());
    }
}

BENCHMARK(ReadAnalysis)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenMainDialog)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    fs::path root = fs::temp_directory_path() / "zep-dialog-bench";
    fs::remove_all(root);
    fs::create_directories(root / "ZEP Rendering" / "script");
    fs::create_directories(root / "ZEP Rendering" / "json");
    std::ofstream(root / "ZEP Rendering" / "script" / "pmx_plugin.ini")
        << "[general]\r\nlowerversion=1.3.7\r\n";
    ::setenv("PROGRAMDATA", root.c_str(), 1);
    ::setenv("ZEP_LANGUAGE", "en", 1);
    static int module = 0;
    SetResourceModule(&module);

    AnalysisShape shape;
    shape.cameras = 5000;
    shape.referenceFiles = 100000;
    shape.missingFiles = 10000;
    shape.duplicateFiles = 100;
    analysisUtf8 = GenerateAnalysis(shape);
    analysisWide = FromUtf8(analysisUtf8);
    maxsim::SetScriptRunner(WriteAnalysis);
    maxsim::SetCurrentScene(FromUtf8((root / "living room.max").string()));

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (reporter.times.size() == 2) {
        std::cout << "opening the main dialog / reading the analysis: "
                  << reporter.times["OpenMainDialog"] / reporter.times["ReadAnalysis"] << "\n";
    }
    fs::remove_all(root);
    return 0;
}
