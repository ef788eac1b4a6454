#include "platform/win/WinUser.h"
#include "platform/win/WindowTable.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

using win::Window;
using win::WindowTable;

namespace {

std::vector<HWND> ChildrenOf(HWND hWnd) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    if (!window)
        return {};
    std::lock_guard lock(window->state->mutex);
    return window->state->children;
}

}  // namespace

HWND GetParent(HWND hWnd) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    return window && IsWindow(window->parent) ? window->parent : nullptr;
}

// Dialogs look their controls up by id all the time (after every change of a list row), so the parent
// keeps its children's ids beside them.
HWND GetDlgItem(HWND hDlg, int nIDDlgItem) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hDlg);
    if (!window)
        return nullptr;
    std::lock_guard lock(window->state->mutex);
    const std::vector<UINT>& ids = window->state->childIds;
    auto it = std::find(ids.begin(), ids.end(), static_cast<UINT>(nIDDlgItem));
    return it == ids.end() ? nullptr : window->state->children[static_cast<std::size_t>(it - ids.begin())];
}

int GetDlgCtrlID(HWND hWnd) {
    std::shared_ptr<Window> window = WindowTable::Instance().Find(hWnd);
    return window ? static_cast<int>(window->controlId) : 0;
}

HWND GetWindow(HWND hWnd, UINT uCmd) {
    if (uCmd == GW_CHILD) {
        std::vector<HWND> children = ChildrenOf(hWnd);
        return children.empty() ? nullptr : children.front();
    }
    if (uCmd != GW_HWNDNEXT || !IsWindow(hWnd))
        return nullptr;
    std::vector<HWND> siblings = ChildrenOf(GetParent(hWnd));
    auto it = std::find(siblings.begin(), siblings.end(), hWnd);
    return it == siblings.end() || ++it == siblings.end() ? nullptr : *it;
}
