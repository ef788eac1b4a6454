#pragma once

#include "platform/win/WindowState.h"
#include "platform/win/WinTypes.h"
#include "platform/win/WinUser.h"

#include <memory>

namespace win {

class MessageQueue;

// One window. Everything but `destroying` and `state` is fixed at creation, so any thread may read it;
// `state` guards itself. Whether the window is alive is kept by its owner queue (for messages) and the
// window table (for IsWindow).
struct Window {
    HWND handle;
    WNDPROC procedure;
    void* userData;
    DWORD threadId;
    std::shared_ptr<MessageQueue> queue;
    bool destroying = false;  // set by the owner thread once DestroyWindow has begun; read by it only
    HWND parent = nullptr;    // null for a top-level window
    UINT controlId = 0;       // a child's id among its siblings; 0 for a top-level window
    std::unique_ptr<WindowState> state = std::make_unique<WindowState>();

    LRESULT Call(UINT message, WPARAM wParam, LPARAM lParam) const {
        return procedure(handle, message, wParam, lParam);
    }
};

}  // namespace win
