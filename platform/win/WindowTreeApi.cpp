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

HWND GetDlgItem(HWND hDlg, int nIDDlgItem) {
    for (HWND child : ChildrenOf(hDlg)) {
        std::shared_ptr<Window> window = WindowTable::Instance().Find(child);
        if (window && window->controlId == static_cast<UINT>(nIDDlgItem))
            return child;
    }
    return nullptr;
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
