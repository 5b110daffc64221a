// The observer of dialogs and message boxes on the Win32 window system.
#include <mutex>

#include "platform/headless/events.h"
#include "platform/win32/modal_frames.h"

namespace win {

namespace {

struct Observer {
    std::mutex mutex;
    std::function<void(const headless::WindowEvent&)> observer;
};

Observer& TheObserver() {
    static Observer* observer = new Observer;
    return *observer;
}

}  // namespace

namespace headless {

void SetEventObserver(std::function<void(const WindowEvent&)> observer) {
    std::lock_guard<std::mutex> lock(TheObserver().mutex);
    TheObserver().observer = std::move(observer);
}

}  // namespace headless

namespace win32 {

void EmitWindowEvent(const headless::WindowEvent& event) {
    std::function<void(const headless::WindowEvent&)> observer;
    {
        std::lock_guard<std::mutex> lock(TheObserver().mutex);
        observer = TheObserver().observer;
    }
    if (observer) {
        observer(event);
    }
}

}  // namespace win32

}  // namespace win
