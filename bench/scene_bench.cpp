// Reading and writing a large analysis, against jsoncpp alone on the same text: the reader
// against parsing, the job writer against parsing plus styled writing. Prints the two ratios and
// the peak memory after the usual benchmark table.
#include <benchmark/benchmark.h>
#include <json/json.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <string>

#include "bench/analysis_generator.h"
#include "config/plugin_settings.h"
#include "resources/string_loader.h"
#include "scene/analysis_reader.h"
#include "scene/job_description.h"
#include "text/conversions.h"

namespace {

std::string analysisUtf8;
std::u16string analysisWide;
std::filesystem::path benchRoot;

Json::Value Parse(const std::string& text) {
    Json::CharReaderBuilder builder;
    builder["collectComments"] = true;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value value;
    std::string errors;
    reader->parse(text.data(), text.data() + text.size(), &value, &errors);
    return value;
}

void JsonParse(benchmark::State& run) {
    for (auto _ : run) {
        benchmark::DoNotOptimize(Parse(analysisUtf8));
    }
}

void ReadAnalysis(benchmark::State& run) {
    PluginState& state = GetPluginState();
    for (auto _ : run) {
        state.analysisText = analysisWide;
        benchmark::DoNotOptimize(ReadAnalysisResult(state));
    }
}

void JsonParseAndStyledWrite(benchmark::State& run) {
    for (auto _ : run) {
        Json::StyledWriter writer;
        benchmark::DoNotOptimize(writer.write(Parse(analysisUtf8)));
    }
}

void WriteJob(benchmark::State& run) {
    PluginState& state = GetPluginState();
    state.analysisText = analysisWide;
    ReadAnalysisResult(state);
    for (auto& entry : state.cameras) {
        entry.second.selected = true;
    }
    PluginSettings base;
    base.jsonFolder = FromUtf8((benchRoot / "json").string());
    base.scenePath = "D:\\projects\\house\\living room.max";
    base.archivePath = "D:\\projects\\house\\compress\\living room_abcdef.7z";
    std::filesystem::create_directories(benchRoot / "json");
    for (auto _ : run) {
        PluginSettings settings = base;
        std::string notice;
        benchmark::DoNotOptimize(WriteJobDescription(
            state, nullptr, 1, settings, u"6F9619FF-8B86-D011-B42D-00C04FC964FF", notice));
    }
}

BENCHMARK(JsonParse)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadAnalysis)->Unit(benchmark::kMillisecond);
BENCHMARK(JsonParseAndStyledWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteJob)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration for the ratios.
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

long PeakMemoryKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    benchRoot = std::filesystem::temp_directory_path() / "zep-scene-bench";
    std::filesystem::remove_all(benchRoot);
    std::filesystem::create_directories(benchRoot / "ZEP Rendering" / "script");
    ::setenv("PROGRAMDATA", benchRoot.c_str(), 1);
    ::setenv("ZEP_LANGUAGE", "en", 1);
    SetResourceModule(reinterpret_cast<void*>(1));

    AnalysisShape shape;
    shape.cameras = 5000;
    shape.referenceFiles = 100000;
    shape.missingFiles = 10000;
    shape.duplicateFiles = 100;
    analysisUtf8 = GenerateAnalysis(shape);
    analysisWide = FromUtf8(analysisUtf8);
    std::cout << "Analysis: " << analysisUtf8.size() / 1024 << " KiB, " << shape.cameras
              << " cameras, " << shape.referenceFiles << " reference files, " << shape.missingFiles
              << " missing files\n";

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char* measured, const char* baseline) {
        return reporter.times[measured] / reporter.times[baseline];
    };
    if (reporter.times.size() == 4) {
        std::cout << "reader / parse:                 " << ratio("ReadAnalysis", "JsonParse")
                  << "\njob writer / parse + styled write: "
                  << ratio("WriteJob", "JsonParseAndStyledWrite") << "\n";
    }
    std::cout << "peak memory: " << PeakMemoryKiB() / 1024 << " MiB\n";
    std::filesystem::remove_all(benchRoot);
    return 0;
}
