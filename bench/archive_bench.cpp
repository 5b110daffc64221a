// The archive step of a submission (BuildArchiveCommand and RunArchiver) against 7-Zip started
// directly with the same arguments, on one generated 200 MB scene file. Prints the ratio of the
// two after the usual benchmark table. The one-second pause that the submission makes after the
// archiver is not part of these functions and is not measured.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "config/client_login.h"
#include "config/plugin_settings.h"
#include "packaging/scene_archive.h"
#include "text/conversions.h"

namespace {

namespace fs = std::filesystem;

constexpr char kSevenZip[] = "/usr/bin/7zz";
constexpr uint64_t kSceneBytes = 200ull * 1000 * 1000;

fs::path benchRoot;
fs::path scenePath;
fs::path archiveFolder;

// A quarter random bytes, the rest text that repeats with small changes: 7-Zip packs it to about
// a quarter.
bool WriteScene(const fs::path& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    uint64_t state = 0x9E3779B97F4A7C15ull;
    std::string block(1 << 20, '\0');
    for (uint64_t written = 0; written < kSceneBytes; written += block.size()) {
        for (size_t page = 0; page < block.size(); page += 4096) {
            for (size_t i = 0; i < 1024; i += 8) {
                state ^= state << 13;
                state ^= state >> 7;
                state ^= state << 17;
                for (size_t b = 0; b < 8; ++b) {
                    block[page + i + b] = static_cast<char>(state >> (8 * b));
                }
            }
            const std::string text = "vertex " + std::to_string(written + page) + " 0.25 0.5 1.0\n";
            for (size_t i = 1024; i < 4096; ++i) {
                block[page + i] = text[i % text.size()];
            }
        }
        const size_t size =
            static_cast<size_t>(std::min<uint64_t>(block.size(), kSceneBytes - written));
        out.write(block.data(), static_cast<std::streamsize>(size));
    }
    return static_cast<bool>(out);
}

// 7-Zip's messages go to /dev/null in both benchmarks: stdout is pointed there while they run.
class QuietStdout {
public:
    QuietStdout() {
        std::cout.flush();
        std::fflush(stdout);
        saved_ = ::dup(1);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::close(null);
    }
    ~QuietStdout() {
        std::fflush(stdout);
        ::dup2(saved_, 1);
        ::close(saved_);
    }
    QuietStdout(const QuietStdout&) = delete;
    QuietStdout& operator=(const QuietStdout&) = delete;

private:
    int saved_ = -1;
};

bool SpawnAndWait(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), ::environ) != 0) {
        return false;
    }
    int status = 0;
    pid_t waited = 0;
    do {
        waited = ::waitpid(pid, &status, 0);
    } while (waited == -1 && errno == EINTR);
    return waited == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// CPU seconds of the ended child processes so far.
double ChildCpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void RemoveArchive(benchmark::State& run, const fs::path& archive) {
    run.PauseTiming();
    std::error_code error;
    run.counters["archive_MB"] = static_cast<double>(fs::file_size(archive, error)) / 1e6;
    fs::remove(archive, error);
    run.ResumeTiming();
}

void ArchiveStep(benchmark::State& run) {
    PluginSettings base;
    base.scenePath = scenePath.string();
    base.archiveFolder = FromUtf8(archiveFolder.string());
    base.archiverPath = FromUtf8((benchRoot / "ZEP Rendering" / "7-Zip" / "7z.exe").string());
    const ClientLogin login;
    QuietStdout quiet;
    const double childCpu = ChildCpuSeconds();
    for (auto _ : run) {
        PluginSettings settings = base;
        if (!BuildArchiveCommand(std::string(), settings, login)) {
            run.SkipWithError("the scene name was refused");
            break;
        }
        RunArchiver(settings);
        RemoveArchive(run, settings.archivePath);
    }
    run.counters["child_cpu_s"] =
        benchmark::Counter(ChildCpuSeconds() - childCpu, benchmark::Counter::kAvgIterations);
}

void SevenZipDirect(benchmark::State& run) {
    const std::string archive = (archiveFolder / "house_direct.7z").string();
    QuietStdout quiet;
    const double childCpu = ChildCpuSeconds();
    for (auto _ : run) {
        if (!SpawnAndWait(
                {kSevenZip, "a", "-mx=3", "-mmt=2", "-t7z", archive, scenePath.string()})) {
            run.SkipWithError("7-Zip failed");
            break;
        }
        RemoveArchive(run, archive);
    }
    run.counters["child_cpu_s"] =
        benchmark::Counter(ChildCpuSeconds() - childCpu, benchmark::Counter::kAvgIterations);
}

// Three rounds of one run each, the order alternating, so that a change in the machine's load
// falls on both alike.
void RegisterRounds() {
    constexpr int kRounds = 3;
    for (int round = 1; round <= kRounds; ++round) {
        const std::string suffix = "/round:" + std::to_string(round);
        auto direct = [&] {
            benchmark::RegisterBenchmark(("SevenZipDirect" + suffix).c_str(), SevenZipDirect)
                ->Iterations(1)
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond);
        };
        auto step = [&] {
            benchmark::RegisterBenchmark(("ArchiveStep" + suffix).c_str(), ArchiveStep)
                ->Iterations(1)
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond);
        };
        if (round % 2 == 1) {
            direct();
            step();
        } else {
            step();
            direct();
        }
    }
}

// Sums the wall time and the CPU time (this process and 7-Zip) of the runs of each benchmark.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Totals {
        double wallMs = 0;
        double cpuMs = 0;
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            Totals& totals = totals_[name.substr(0, name.find('/'))];
            totals.wallMs += run.GetAdjustedRealTime();
            totals.cpuMs += run.GetAdjustedCPUTime();
            const auto child = run.counters.find("child_cpu_s");
            if (child != run.counters.end()) {
                totals.cpuMs += child->second.value * 1000;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    Totals Of(const std::string& name) const {
        const auto found = totals_.find(name);
        return found == totals_.end() ? Totals{} : found->second;
    }

private:
    std::map<std::string, Totals> totals_;
};

}  // namespace

int main(int argc, char** argv) {
    benchRoot = fs::temp_directory_path() / "zep-archive-bench";
    fs::remove_all(benchRoot);
    fs::create_directories(benchRoot / "ZEP Rendering" / "7-Zip");
    fs::create_directories(benchRoot / "scenes");
    fs::create_symlink(kSevenZip, benchRoot / "ZEP Rendering" / "7-Zip" / "7z.exe");
    scenePath = benchRoot / "scenes" / "house.max";
    archiveFolder = benchRoot / "compress";
    if (!WriteScene(scenePath)) {
        std::cerr << "cannot write " << scenePath << "\n";
        fs::remove_all(benchRoot);
        return 1;
    }
    std::cout << "Scene: " << fs::file_size(scenePath) / 1000000 << " MB; 7-Zip: " << kSevenZip
              << " a -mx=3 -mmt=2 -t7z\n"
              << "The one-second pause after the archiver belongs to the submission worker, not "
                 "to these functions, and is not measured.\n";

    RegisterRounds();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const RatioReporter::Totals direct = reporter.Of("SevenZipDirect");
    const RatioReporter::Totals step = reporter.Of("ArchiveStep");
    if (direct.wallMs > 0 && direct.cpuMs > 0) {
        std::cout << "archive step / 7-Zip direct, wall time: " << step.wallMs / direct.wallMs
                  << " (target <= 1.02)\n"
                  << "archive step / 7-Zip direct, CPU time of both processes: "
                  << step.cpuMs / direct.cpuMs << "\n";
    }
    fs::remove_all(benchRoot);
    return 0;
}
