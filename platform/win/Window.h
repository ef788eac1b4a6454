#pragma once

#include "platform/win/WinTypes.h"
#include "platform/win/WinUser.h"

#include <memory>

namespace win {

class MessageQueue;

// One window. Everything but `destroying` is fixed at creation, so any thread may read it; whether the
// window is alive is kept by its owner queue (for messages) and the window table (for IsWindow).
struct Window {
    HWND handle;
    WNDPROC procedure;
    void* userData;
    DWORD threadId;
    std::shared_ptr<MessageQueue> queue;
    bool destroying = false;  // set by the owner thread once DestroyWindow has begun; read by it only

    LRESULT Call(UINT message, WPARAM wParam, LPARAM lParam) const {
        return procedure(handle, message, wParam, lParam);
    }
};

}  // namespace win
