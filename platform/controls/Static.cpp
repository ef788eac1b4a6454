#include "platform/controls/ControlWindow.h"

#include "platform/win/WindowInput.h"

// "Static": a label. Its window text is what it shows; SS_SUNKEN and SS_NOPREFIX concern only the
// painter. It takes no input: the dialog manager hands its mnemonic on to the next control.

namespace {

LRESULT StaticProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETDLGCODE)
        return DLGC_STATIC;
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

const controls::ClassRegistration registration(u"Static", &StaticProc);

}  // namespace
