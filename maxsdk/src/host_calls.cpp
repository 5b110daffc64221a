// The record of the plug-in's calls into the simulated host: each SDK entry point notes its
// name and whether it ran on the host's user-interface thread, as the real host requires.
#include <mutex>
#include <thread>
#include <utility>

#include "host/simulated_host.h"
#include "host_parts.h"

namespace {

struct CallRecord {
    std::mutex mutex;
    std::thread::id uiThread;  // none until the host is reset or first called
    std::vector<maxsim::HostCall> offThread;
    maxsim::HostCallObserver observer;
};

CallRecord& Record() {
    static CallRecord* record = new CallRecord;
    return *record;
}

thread_local int t_internalDepth = 0;

}  // namespace

void RecordHostCall(const char* name) {
    if (t_internalDepth > 0) {
        return;
    }
    CallRecord& record = Record();
    maxsim::HostCallObserver observer;
    maxsim::HostCall call{name, true};
    {
        std::lock_guard<std::mutex> lock(record.mutex);
        if (record.uiThread == std::thread::id()) {
            record.uiThread = std::this_thread::get_id();
        }
        call.uiThread = record.uiThread == std::this_thread::get_id();
        if (!call.uiThread) {
            record.offThread.push_back(call);
        }
        observer = record.observer;
    }
    if (observer) {
        observer(call);
    }
}

void TakeUiThread() {
    CallRecord& record = Record();
    std::lock_guard<std::mutex> lock(record.mutex);
    record.uiThread = std::this_thread::get_id();
}

namespace maxsim {

HostOwnCalls::HostOwnCalls() {
    ++t_internalDepth;
}

HostOwnCalls::~HostOwnCalls() {
    --t_internalDepth;
}

void SetHostCallObserver(HostCallObserver observer) {
    CallRecord& record = Record();
    std::lock_guard<std::mutex> lock(record.mutex);
    record.observer = std::move(observer);
}

std::vector<HostCall> OffThreadHostCalls() {
    CallRecord& record = Record();
    std::lock_guard<std::mutex> lock(record.mutex);
    return record.offThread;
}

}  // namespace maxsim
