// The simulated host's notifications: registrations kept in order, called by code. A callback
// may register or unregister others while it runs; a broadcast calls the registrations that
// existed when it began and still exist when their turn comes.
#include <algorithm>
#include <mutex>
#include <vector>

#include "host_parts.h"
#include "notify.h"

namespace {

struct Registration {
    NOTIFYPROC proc;
    void* param;
    int code;
    bool operator==(const Registration&) const = default;
};

std::mutex g_mutex;

std::vector<Registration>& Registrations() {
    static std::vector<Registration>* registrations = new std::vector<Registration>;
    return *registrations;
}

bool IsRegistered(const Registration& registration) {
    const std::vector<Registration>& all = Registrations();
    return std::find(all.begin(), all.end(), registration) != all.end();
}

}  // namespace

int RegisterNotification(NOTIFYPROC proc, void* param, int code) {
    RecordHostCall("RegisterNotification");
    if (proc == nullptr) {
        return 0;
    }
    std::lock_guard<std::mutex> lock(g_mutex);
    Registration registration{proc, param, code};
    if (!IsRegistered(registration)) {
        Registrations().push_back(registration);
    }
    return 1;
}

int UnRegisterNotification(NOTIFYPROC proc, void* param, int code) {
    RecordHostCall("UnRegisterNotification");
    std::lock_guard<std::mutex> lock(g_mutex);
    return std::erase(Registrations(), Registration{proc, param, code}) > 0 ? 1 : 0;
}

void BroadcastNotification(int code) {
    BroadcastNotification(code, nullptr);
}

void BroadcastNotification(int code, void* callParam) {
    std::vector<Registration> due;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        for (const Registration& registration : Registrations()) {
            if (registration.code == code) {
                due.push_back(registration);
            }
        }
    }
    for (const Registration& registration : due) {
        {
            std::lock_guard<std::mutex> lock(g_mutex);
            if (!IsRegistered(registration)) {
                continue;
            }
        }
        NotifyInfo info;
        info.intcode = code;
        info.callParam = callParam;
        registration.proc(registration.param, &info);
    }
}

void ResetNotifications() {
    std::lock_guard<std::mutex> lock(g_mutex);
    Registrations().clear();
}
