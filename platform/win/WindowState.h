#pragma once

#include "platform/win/WinTypes.h"
#include "platform/win/WinUser.h"

#include <mutex>
#include <string>
#include <vector>

namespace win {

// What a window shows and holds: its children, text, enabling, visibility and place. Any thread may read
// or change it, so every field is guarded by `mutex`; messages about a change are sent after the lock is
// released, since a procedure may ask for the state again.
struct WindowState {
    mutable std::mutex mutex;
    std::vector<HWND> children;  // in creation order; a child leaves the list as it dies
    std::vector<UINT> childIds;  // the control id of each child, beside it
    std::u16string text;
    RECT rect{0, 0, 0, 0};  // in the parent's client coordinates (cells); a top-level window's parent is the screen
    DWORD style = 0;    // WS_* and the class's own bits
    DWORD exStyle = 0;  // WS_EX_*
    bool enabled = true;
    bool visible = true;
    int scrollPos[2] = {0, 0};  // SB_HORZ, SB_VERT
    // Set whenever what the window shows may have changed; a new window has never been painted.
    bool dirty = true;
};

}  // namespace win
