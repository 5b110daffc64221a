#include "platform/fault_injection.h"

#include <atomic>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "platform/last_error.h"

namespace os {
namespace {

struct FaultPlan {
    uint64_t failAt = 0;
    std::FILE* trace = nullptr;
    bool active = false;
};

std::atomic<bool> excluded{false};
std::atomic<uint64_t> operations{0};
std::mutex traceLock;
thread_local int depth = 0;

const FaultPlan& Plan() {
    static const FaultPlan plan = [] {
        FaultPlan read;
        if (const char* at = std::getenv("ZEP_FAULT_AT"); at != nullptr && *at != '\0') {
            read.failAt = std::strtoull(at, nullptr, 10);
        }
        if (const char* trace = std::getenv("ZEP_FAULT_TRACE");
            trace != nullptr && *trace != '\0') {
            read.trace = std::fopen(trace, "a");
        }
        read.active = read.failAt != 0 || read.trace != nullptr;
        return read;
    }();
    return plan;
}

}  // namespace

FaultPoint::FaultPoint(const char* operation, uint32_t error) {
    const FaultPlan& plan = Plan();
    if (!plan.active || excluded.load(std::memory_order_relaxed)) {
        return;
    }
    entered_ = true;
    if (depth++ != 0) {
        return;
    }
    const uint64_t number = operations.fetch_add(1, std::memory_order_relaxed) + 1;
    failed_ = number == plan.failAt;
    if (plan.trace != nullptr) {
        std::lock_guard<std::mutex> hold(traceLock);
        std::fprintf(plan.trace, "%" PRIu64 " %s %" PRIu32 "%s\n", number, operation, error,
                     failed_ ? " injected" : "");
        std::fflush(plan.trace);
    }
    if (failed_) {
        SetLastError(error);
    }
}

FaultPoint::~FaultPoint() {
    if (entered_) {
        --depth;
    }
}

void ExcludeFromFaultInjection() {
    excluded.store(true, std::memory_order_relaxed);
}

}  // namespace os
