#include "platform/headless/input_queue.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <utility>

#include "platform/headless/driver.h"
#include "platform/headless/events.h"

namespace win::headless {
namespace {

std::deque<std::function<void()>>& InputQueue() {
    thread_local std::deque<std::function<void()>> queue;
    return queue;
}

void AbortStarvingDialog(HWND dialog) {
    std::fprintf(stderr, "window system: dialog %d is still open and no input is left\n",
                 DialogTemplateId(dialog));
    std::abort();
}

std::function<void(HWND)>& Starvation() {
    static std::function<void(HWND)> handler = AbortStarvingDialog;
    return handler;
}

std::atomic<int64_t> g_patienceMs{10000};

}  // namespace

void PushInput(std::function<void()> input) {
    InputQueue().push_back(std::move(input));
}

bool RunOneInput() {
    std::deque<std::function<void()>>& queue = InputQueue();
    if (queue.empty()) {
        return false;
    }
    std::function<void()> input = std::move(queue.front());
    queue.pop_front();
    input();
    return true;
}

void ReportStarvation(HWND dialog) {
    Starvation()(dialog);
}

std::chrono::milliseconds StarvationPatience() {
    return std::chrono::milliseconds(g_patienceMs.load());
}

bool HasQueuedInput() {
    return !InputQueue().empty();
}

void RunQueuedInput() {
    while (RunOneInput()) {
    }
}

void ClearQueuedInput() {
    InputQueue().clear();
}

void SetStarvationHandler(std::function<void(HWND dialog)> handler,
                          std::chrono::milliseconds patience) {
    Starvation() = handler ? std::move(handler) : AbortStarvingDialog;
    g_patienceMs = patience.count();
}

}  // namespace win::headless
