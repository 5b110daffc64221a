#include "workflow/submission_events.h"

#include <atomic>
#include <mutex>

#include "scene/plugin_state.h"

namespace {

std::mutex g_handlerMutex;
std::function<void(const SubmissionOutcome&)> g_handler;
std::function<void(const char*)> g_stepHandler;
std::atomic<int> g_workersRunning{0};

bool Running(int32_t runState) {
    return runState >= 0 && runState <= 10;
}

}  // namespace

void SetSubmissionFinishedHandler(std::function<void(const SubmissionOutcome&)> handler) {
    std::lock_guard<std::mutex> lock(g_handlerMutex);
    g_handler = std::move(handler);
}

void ReportSubmissionFinished(const SubmissionOutcome& outcome) {
    std::lock_guard<std::mutex> lock(g_handlerMutex);
    if (g_handler) {
        g_handler(outcome);
    }
}

void SetSubmissionStepHandler(std::function<void(const char* step)> handler) {
    std::lock_guard<std::mutex> lock(g_handlerMutex);
    g_stepHandler = std::move(handler);
}

void ReportSubmissionStep(const char* step) {
    std::lock_guard<std::mutex> lock(g_handlerMutex);
    if (g_stepHandler) {
        g_stepHandler(step);
    }
}

bool SubmissionSettled() {
    const PluginState& state = GetPluginState();
    return g_workersRunning.load() == 0 && !Running(state.submitRunState.load()) &&
           !Running(state.progressRunState.load());
}

void WorkerStarted() {
    ++g_workersRunning;
}

void WorkerEnded() {
    --g_workersRunning;
}
