#pragma once

#include "platform/win/WinTypes.h"
#include "platform/win/WinUser.h"
#include "tests/win/WinTestSupport.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace controlstest {

// One WM_COMMAND a control sent its parent.
struct Command {
    int id;
    UINT code;
    HWND from;
    bool operator==(const Command&) const = default;
};

// A top-level window of a test class that records the WM_COMMAND messages its children send, in order,
// and may run a handler on each (as a dialog's handler would, inside the control's message).
class ParentWindow {
public:
    ParentWindow();
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;
    ~ParentWindow();

    HWND Hwnd() const { return m_hWnd; }
    // A child control of a registered class, with WS_CHILD | WS_VISIBLE added to `style`.
    HWND Add(LPCWSTR className, LPCWSTR text, DWORD style, int id, int x, int y, int width, int height);

    // The commands received since the last call.
    std::vector<Command> Take();

    std::function<void(const Command&)> onCommand;

private:
    static LRESULT Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    std::vector<Command> m_commands;
};

// A user's input given to a control as the dialog's loop dispatches it.
void MouseDown(HWND hWnd, int x, int y);
void MouseUp(HWND hWnd, int x, int y);
void Click(HWND hWnd, int x = 0, int y = 0);
void Key(HWND hWnd, WORD key, bool shift = false);
void AltKey(HWND hWnd, WORD key);
void Type(HWND hWnd, std::u16string_view units);

std::u16string TextOf(HWND hWnd);
DWORD StyleOf(HWND hWnd);

class ControlsTest : public wintest::WinTest {
protected:
    void TearDown() override;
};

}  // namespace controlstest
