#include "platform/controls/ControlWindow.h"

#include "platform/win/CommandMessages.h"
#include "platform/win/WindowInput.h"

#include <algorithm>

namespace controls {

std::u16string WindowText(HWND hWnd) {
    const int length = GetWindowTextLengthW(hWnd);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hWnd, text.data(), length + 1)));
    return text;
}

bool NotifyParent(HWND hWnd, UINT code) {
    if (HWND parent = GetParent(hWnd))
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hWnd), code), reinterpret_cast<LPARAM>(hWnd));
    return IsWindow(hWnd) != FALSE;
}

int ClientWidth(HWND hWnd) {
    RECT rect{};
    GetClientRect(hWnd, &rect);
    return std::max<int>(rect.right - rect.left, 0);
}

int ClientHeight(HWND hWnd) {
    RECT rect{};
    GetClientRect(hWnd, &rect);
    return std::max<int>(rect.bottom - rect.top, 0);
}

bool ShiftHeld() { return GetKeyState(VK_SHIFT) < 0; }

bool HasClass(HWND hWnd, std::u16string_view className) {
    WCHAR buffer[32];
    const int length = GetClassNameW(hWnd, buffer, 32);
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    return static_cast<std::size_t>(length) == className.size() &&
           std::equal(className.begin(), className.end(), buffer,
                      [&](char16_t a, char16_t b) { return lower(a) == lower(b); });
}

ClassRegistration::ClassRegistration(LPCWSTR className, WNDPROC procedure) {
    const WNDCLASSW windowClass{0, procedure, className};
    RegisterClassW(&windowClass);
}

}  // namespace controls
