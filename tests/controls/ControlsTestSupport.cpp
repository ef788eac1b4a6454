#include "tests/controls/ControlsTestSupport.h"

#include "platform/win/CommandMessages.h"
#include "platform/win/WindowInput.h"

#include <utility>

namespace controlstest {

namespace {

constexpr LPCWSTR kParentClass = u"ControlsTestParent";

void RegisterParentClass(WNDPROC procedure) {
    static const bool registered = [procedure] {
        const WNDCLASSW windowClass{0, procedure, kParentClass};
        return RegisterClassW(&windowClass) != 0;
    }();
    ASSERT_TRUE(registered);
}

}  // namespace

ParentWindow::ParentWindow() {
    RegisterParentClass(&Procedure);
    m_hWnd = CreateWindowExW(0, kParentClass, u"parent", WS_POPUP | WS_VISIBLE, 0, 0, 80, 25, nullptr, nullptr,
                             nullptr, nullptr);
    SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

ParentWindow::~ParentWindow() {
    SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
    DestroyWindow(m_hWnd);
}

HWND ParentWindow::Add(LPCWSTR className, LPCWSTR text, DWORD style, int id, int x, int y, int width, int height) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, m_hWnd,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
}

std::vector<Command> ParentWindow::Take() { return std::exchange(m_commands, {}); }

LRESULT ParentWindow::Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* parent = reinterpret_cast<ParentWindow*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (message != WM_COMMAND || parent == nullptr)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    const Command command{LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)};
    parent->m_commands.push_back(command);
    if (parent->onCommand)
        parent->onCommand(command);
    return 0;
}

void MouseDown(HWND hWnd, int x, int y) { SendMessageW(hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(x, y)); }

void MouseUp(HWND hWnd, int x, int y) { SendMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

void Click(HWND hWnd, int x, int y) {
    MouseDown(hWnd, x, y);
    MouseUp(hWnd, x, y);
}

void Key(HWND hWnd, WORD key, bool shift) {
    SetKeyModifiers(shift, false, false);
    SendMessageW(hWnd, WM_KEYDOWN, key, 0);
    SetKeyModifiers(false, false, false);
}

void AltKey(HWND hWnd, WORD key) {
    SetKeyModifiers(false, false, true);
    SendMessageW(hWnd, WM_SYSKEYDOWN, key, 0);
    SetKeyModifiers(false, false, false);
}

void Type(HWND hWnd, std::u16string_view units) {
    for (char16_t unit : units)
        SendMessageW(hWnd, WM_CHAR, unit, 0);
}

std::u16string TextOf(HWND hWnd) {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(hWnd)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

DWORD StyleOf(HWND hWnd) { return static_cast<DWORD>(GetWindowLongW(hWnd, GWL_STYLE)); }

void ControlsTest::TearDown() { SetFocus(nullptr); }

}  // namespace controlstest
