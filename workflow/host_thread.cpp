#include "workflow/host_thread.h"

#include "platform/win/window.h"

bool CallOnHostThread(HWND dialog, const std::function<void()>& call) {
    return win::SendMessage(dialog, kHostCallMessage, 0, reinterpret_cast<LPARAM>(&call)) != 0;
}

INT_PTR ServeHostCall(LPARAM call) {
    (*reinterpret_cast<const std::function<void()>*>(call))();
    return TRUE;
}
