#pragma once

#include "platform/win/WindowState.h"
#include "platform/win/WinTypes.h"
#include "platform/win/WinUser.h"

#include <atomic>
#include <memory>
#include <string>

namespace win {

class MessageQueue;

// One window. Everything but `destroying`, `procedure`, `userLong` and `state` is fixed at creation, so any
// thread may read it; the others guard themselves or belong to the owner thread. Whether the window is alive
// is kept by its owner queue (for messages) and the window table (for IsWindow).
struct Window {
    Window(HWND handle, WNDPROC procedure, void* userData, DWORD threadId, std::shared_ptr<MessageQueue> queue)
        : handle(handle), procedure(procedure), userData(userData), threadId(threadId), queue(std::move(queue)) {}

    HWND handle;
    std::atomic<WNDPROC> procedure;  // replaced only by the owner thread, when it subclasses the window
    void* userData;
    DWORD threadId;
    std::shared_ptr<MessageQueue> queue;
    std::u16string className;  // empty for windows made without a class
    std::atomic<LONG_PTR> userLong{0};  // GWLP_USERDATA
    std::atomic<bool> removed{false};   // set when the window leaves the window table: it is dead
    bool destroying = false;  // set by the owner thread once DestroyWindow has begun; read by it only
    HWND parent = nullptr;    // null for a top-level window
    UINT controlId = 0;       // a child's id among its siblings; 0 for a top-level window
    std::unique_ptr<WindowState> state = std::make_unique<WindowState>();

    LRESULT Call(UINT message, WPARAM wParam, LPARAM lParam) const {
        return procedure.load()(handle, message, wParam, lParam);
    }
};

}  // namespace win
