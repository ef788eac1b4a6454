#include "app/HostWindow.h"

HostWindow::HostWindow(const Document& document) : document_(document) {}

BOOL HostWindow::Create() { return CreateMessageOnly(); }

LRESULT HostWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER)
        messages_.push_back({message, wParam, lParam});
    if (message == WM_SOURCE_CURSOR_MOVED)
        sourceCursor_ = document_.sourceCursor();
    return CWnd::WindowProc(message, wParam, lParam);
}
