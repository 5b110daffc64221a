// Reading and writing a large analysis, against jsoncpp alone on the same text: the reader
// against parsing, the job writer against parsing plus styled writing. The job holds more than
// the analysis (eight members per camera), so the writer is also set against what jsoncpp alone
// does for its input and output: parsing the analysis and styled writing the job's document.
// After the usual benchmark table it prints the ratios of the fastest CPU times, and the peak
// heap of the reader and of the job writer against that of the parsed document alone.
#include <benchmark/benchmark.h>
#include <json/json.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
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
Json::Value jobDocument;

Json::Value Parse(const std::string& text) {
    Json::CharReaderBuilder builder;
    builder["collectComments"] = true;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value value;
    std::string errors;
    reader->parse(text.data(), text.data() + text.size(), &value, &errors);
    return value;
}

// Every timed run leaves the heap as it found it: warm (what it freed stays with the process,
// see main) and consolidated (freeing a large block makes the allocator merge the small free
// chunks now rather than at some later call). So each run pays for all it allocated and freed,
// and no run inherits another's free lists.
void SettleHeap() {
    void* large = std::malloc(1 << 20);
    benchmark::DoNotOptimize(large);
    std::free(large);
}

void JsonParse(benchmark::State& run) {
    SettleHeap();
    for (auto _ : run) {
        benchmark::DoNotOptimize(Parse(analysisUtf8));
        SettleHeap();
    }
}

// The dialog stores the text before it calls the reader, which only reads it.
void ReadAnalysis(benchmark::State& run) {
    PluginState& state = GetPluginState();
    state.analysisText = analysisWide;
    SettleHeap();
    for (auto _ : run) {
        benchmark::DoNotOptimize(ReadAnalysisResult(state));
        SettleHeap();
    }
}

void JsonParseAndStyledWrite(benchmark::State& run) {
    SettleHeap();
    for (auto _ : run) {
        {
            Json::StyledWriter writer;
            benchmark::DoNotOptimize(writer.write(Parse(analysisUtf8)));
        }
        SettleHeap();
    }
}

void JsonParseAndJobWrite(benchmark::State& run) {
    SettleHeap();
    for (auto _ : run) {
        benchmark::DoNotOptimize(Parse(analysisUtf8));
        {
            Json::StyledWriter writer;
            benchmark::DoNotOptimize(writer.write(jobDocument));
        }
        SettleHeap();
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

// Writes the job file of submission number `number`; each submission names its own file.
bool WriteJobOnce(PluginState& state, PluginSettings settings, int number) {
    std::string notice;
    const std::u16string requestId = FromUtf8("6F9619FF-8B86-D011-B42D-" + std::to_string(number));
    return WriteJobDescription(state, nullptr, 1, settings, requestId, notice);
}

// The farm client takes the job files away; here they go untimed after each run.
void WriteJob(benchmark::State& run) {
    PluginState& state = GetPluginState();
    PrepareForJob(state);
    const PluginSettings settings = JobSettings();
    SettleHeap();
    int number = 0;
    for (auto _ : run) {
        benchmark::DoNotOptimize(WriteJobOnce(state, settings, ++number));
        SettleHeap();
        run.PauseTiming();
        std::filesystem::remove_all(benchRoot / "json");
        std::filesystem::create_directories(benchRoot / "json");
        run.ResumeTiming();
    }
}

// On a shared machine other work only ever adds time: the fastest repetition is the one it
// disturbed least.
double Fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

BENCHMARK(JsonParse)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(ReadAnalysis)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(JsonParseAndStyledWrite)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);
BENCHMARK(JsonParseAndJobWrite)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(WriteJob)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

// Keeps each benchmark's fastest CPU time per iteration (or its only one) for the ratios. CPU
// time, not wall time: on a machine shared with other work, waiting for a core is not ours.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "min") {
                times[run.run_name.function_name] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

// Nine interleaved repetitions of each benchmark, reported by their aggregates, unless the
// command line says otherwise.
std::vector<char*> WithDefaults(int argc, char** argv) {
    static char repetitions[] = "--benchmark_repetitions=9";
    static char interleaving[] = "--benchmark_enable_random_interleaving=true";
    static char aggregates[] = "--benchmark_report_aggregates_only=true";
    std::vector<char*> arguments(argv, argv + argc);
    arguments.insert(arguments.begin() + 1, {repetitions, interleaving, aggregates});
    return arguments;
}

// The document of the job the writer makes of the analysis, parsed back from its file.
Json::Value WrittenJobDocument() {
    PluginState state;
    PrepareForJob(state);
    PluginSettings settings = JobSettings();
    std::string notice;
    WriteJobDescription(state, nullptr, 1, settings, FromUtf8("job-document"), notice);
    std::ifstream file(ToUtf8(settings.jsonFolder), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::filesystem::remove(ToUtf8(settings.jsonFolder));
    return Parse(text);
}

void PrintMemory() {
    const size_t document = PeakHeapBytes([] { Parse(analysisUtf8); });
    PluginState readState;
    readState.analysisText = analysisWide;
    const size_t reader = PeakHeapBytes([&] { ReadAnalysisResult(readState); });
    PluginState jobState;
    PrepareForJob(jobState);
    const PluginSettings settings = JobSettings();
    const size_t writer = PeakHeapBytes([&] { WriteJobOnce(jobState, settings, 0); });
    auto mib = [](size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); };
    std::printf(
        "peak heap: parsed document %.1f MiB, reader %.1f MiB (%.2fx), "
        "job writer %.1f MiB (%.2fx)\n",
        mib(document), mib(reader), mib(reader) / mib(document), mib(writer),
        mib(writer) / mib(document));
}

}  // namespace

int main(int argc, char** argv) {
    // A long-lived host keeps its heap: nothing is given back to the system between runs.
    ::mallopt(M_TRIM_THRESHOLD, 1 << 30);
    ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
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

    jobDocument = WrittenJobDocument();

    std::vector<char*> arguments = WithDefaults(argc, argv);
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char* measured, const char* baseline) {
        return reporter.times[measured] / reporter.times[baseline];
    };
    if (reporter.times.size() == 5) {
        std::printf(
            "CPU time, fastest of the repetitions:\n"
            "reader / parse:                                        %.2f\n"
            "job writer / parse + styled write of the same text:    %.2f\n"
            "job writer / parse + styled write of the job document: %.2f\n",
            ratio("ReadAnalysis", "JsonParse"), ratio("WriteJob", "JsonParseAndStyledWrite"),
            ratio("WriteJob", "JsonParseAndJobWrite"));
    }
    PrintMemory();
    std::filesystem::remove_all(benchRoot);
    return 0;
}
