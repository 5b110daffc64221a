// Reading and writing a large analysis, against jsoncpp alone on the same text: the reader
// against parsing, the job writer against parsing plus styled writing. After the usual benchmark
// table it prints the two ratios of the median times, and the peak heap of the reader and of the
// job writer against that of the parsed document alone.
#include <benchmark/benchmark.h>
#include <json/json.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/analysis_generator.h"
#include "bench/heap_peak.h"
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

// The dialog stores the text before it calls the reader, which only reads it.
void ReadAnalysis(benchmark::State& run) {
    PluginState& state = GetPluginState();
    state.analysisText = analysisWide;
    for (auto _ : run) {
        benchmark::DoNotOptimize(ReadAnalysisResult(state));
    }
}

void JsonParseAndStyledWrite(benchmark::State& run) {
    for (auto _ : run) {
        Json::StyledWriter writer;
        benchmark::DoNotOptimize(writer.write(Parse(analysisUtf8)));
    }
}

// A state as the submission finds it: the analysis read and every camera selected.
void PrepareForJob(PluginState& state) {
    state.analysisText = analysisWide;
    ReadAnalysisResult(state);
    for (auto& entry : state.cameras) {
        entry.second.selected = true;
    }
}

PluginSettings JobSettings() {
    PluginSettings settings;
    settings.jsonFolder = FromUtf8((benchRoot / "json").string());
    settings.scenePath = "D:\\projects\\house\\living room.max";
    settings.archivePath = "D:\\projects\\house\\compress\\living room_abcdef.7z";
    return settings;
}

bool WriteJobOnce(PluginState& state, PluginSettings settings) {
    std::string notice;
    return WriteJobDescription(state, nullptr, 1, settings, u"6F9619FF-8B86-D011-B42D-00C04FC964FF",
                               notice);
}

void WriteJob(benchmark::State& run) {
    PluginState& state = GetPluginState();
    PrepareForJob(state);
    const PluginSettings settings = JobSettings();
    for (auto _ : run) {
        benchmark::DoNotOptimize(WriteJobOnce(state, settings));
    }
}

BENCHMARK(JsonParse)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadAnalysis)->Unit(benchmark::kMillisecond);
BENCHMARK(JsonParseAndStyledWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteJob)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's median time per iteration (or its only time) for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median") {
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

// Five interleaved repetitions of each benchmark, reported by their aggregates, unless the
// command line says otherwise.
std::vector<char*> WithDefaults(int argc, char** argv) {
    static char repetitions[] = "--benchmark_repetitions=5";
    static char interleaving[] = "--benchmark_enable_random_interleaving=true";
    static char aggregates[] = "--benchmark_report_aggregates_only=true";
    std::vector<char*> arguments(argv, argv + argc);
    arguments.insert(arguments.begin() + 1, {repetitions, interleaving, aggregates});
    return arguments;
}

void PrintMemory() {
    const size_t document = PeakHeapBytes([] { Parse(analysisUtf8); });
    PluginState readState;
    readState.analysisText = analysisWide;
    const size_t reader = PeakHeapBytes([&] { ReadAnalysisResult(readState); });
    PluginState jobState;
    PrepareForJob(jobState);
    const PluginSettings settings = JobSettings();
    const size_t writer = PeakHeapBytes([&] { WriteJobOnce(jobState, settings); });
    auto mib = [](size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); };
    std::printf("peak heap: parsed document %.1f MiB, reader %.1f MiB (%.2fx), "
                "job writer %.1f MiB (%.2fx)\n",
                mib(document), mib(reader), mib(reader) / mib(document), mib(writer),
                mib(writer) / mib(document));
}

}  // namespace

int main(int argc, char** argv) {
    benchRoot = std::filesystem::temp_directory_path() / "zep-scene-bench";
    std::filesystem::remove_all(benchRoot);
    std::filesystem::create_directories(benchRoot / "ZEP Rendering" / "script");
    std::filesystem::create_directories(benchRoot / "json");
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
              << " missing files" << std::endl;

    std::vector<char*> arguments = WithDefaults(argc, argv);
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char* measured, const char* baseline) {
        return reporter.times[measured] / reporter.times[baseline];
    };
    if (reporter.times.size() == 4) {
        std::printf("reader / parse:                    %.2f\n"
                    "job writer / parse + styled write: %.2f\n",
                    ratio("ReadAnalysis", "JsonParse"), ratio("WriteJob", "JsonParseAndStyledWrite"));
    }
    PrintMemory();
    std::filesystem::remove_all(benchRoot);
    return 0;
}
