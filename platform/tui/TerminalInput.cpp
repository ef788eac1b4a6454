#include <chrono>

#include "platform/paint/ControlReading.h"
#include "platform/paint/DialogPainter.h"
#include "platform/tui/DialogCells.h"
#include "platform/tui/Terminal.h"
#include "platform/tui/TerminalFrontEnd.h"
#include "platform/win/CommandMessages.h"
#include "platform/win/WinUser.h"
#include "platform/win/WindowInput.h"

// The user's keys and mouse as the messages a person's keyboard and mouse bring, through the dialog's own
// input path; the host keeps F1 (and ? outside the edit box), F6, F7 and Ctrl+L for itself.

namespace tui {

namespace {

// Two presses on one cell within this time make a double click.
constexpr std::chrono::milliseconds kDoubleClick{400};

bool InEditBox(HWND focus) { return focus != nullptr && paint::KindOf(focus) == paint::ControlKind::Edit; }

}  // namespace

void TerminalFrontEnd::Post(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    DeliverInput(dialog_, MSG{target, message, wParam, lParam, 0});
}

void TerminalFrontEnd::Handle(const InputEvent& event) {
    if (dialog_ == nullptr || !IsWindow(dialog_))
        return;
    if (event.kind == InputEvent::Kind::Mouse)
        HandleMouse(event);
    else
        HandleKey(event);
}

void TerminalFrontEnd::HandleKey(const InputEvent& event) {
    if (help_) {
        help_ = false;
        return;
    }
    // A key may reach a control off the view (Tab, a mnemonic): the view follows the focus.
    followFocus_ = true;
    HWND focus = GetFocus();
    if (focus == nullptr || GetParent(focus) != dialog_)
        focus = nullptr;
    HWND target = focus != nullptr ? focus : dialog_;
    auto typeChar = [&](char32_t c) {
        if (c > 0xFFFF) {
            Post(target, WM_CHAR, static_cast<WPARAM>(0xD800 + ((c - 0x10000) >> 10)), 0);
            Post(target, WM_CHAR, static_cast<WPARAM>(0xDC00 + ((c - 0x10000) & 0x3FF)), 0);
        } else {
            Post(target, WM_CHAR, static_cast<WPARAM>(c), 0);
        }
    };
    switch (event.kind) {
    case InputEvent::Kind::Key:
        if (event.vk == VK_F1) {
            help_ = true;
        } else if (event.vk == VK_F6) {
            PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(kFitColumnsCommand, 0), 0);
        } else if (event.vk == VK_F7) {
            if (host_.f7)
                host_.f7(dialog_);
        } else if (event.control && event.vk == 'L') {
            terminal_.Invalidate();
        } else {
            SetKeyModifiers(event.shift, event.control, event.alt);
            Post(target, event.alt ? WM_SYSKEYDOWN : WM_KEYDOWN, event.vk, 0);
        }
        return;
    case InputEvent::Kind::Char:
        if (event.alt) {
            SetKeyModifiers(false, false, true);
            if (event.ch <= 0xFFFF)
                Post(target, WM_SYSCHAR, static_cast<WPARAM>(event.ch), 0);
            return;
        }
        if (event.ch == U'?' && !InEditBox(focus)) {
            help_ = true;
            return;
        }
        SetKeyModifiers(false, false, false);
        if (event.ch == U' ')
            Post(target, WM_KEYDOWN, VK_SPACE, 0);
        typeChar(event.ch);
        return;
    case InputEvent::Kind::Paste:
        // Pasted text goes into the edit box only, as typed; line breaks and other controls are left out.
        if (!InEditBox(focus))
            return;
        SetKeyModifiers(false, false, false);
        for (char32_t c : event.text) {
            if (c >= 0x20 && c != 0x7F)
                typeChar(c);
        }
        return;
    case InputEvent::Kind::Mouse:
        return;
    }
}

void TerminalFrontEnd::HandleMouse(const InputEvent& event) {
    if (event.motion)
        return;
    if (help_) {
        if (event.press)
            help_ = false;
        return;
    }
    const int x = event.x - origin_.x;
    const int y = event.y - origin_.y;
    // Where (x, y) falls in the control's client area.
    auto pointIn = [&](HWND control) {
        const paint::CellRect cells = ControlCells(dialog_, control);
        const paint::CellRect client = paint::ClientArea(control);
        return MAKELPARAM(static_cast<WORD>(x - cells.x - client.x), static_cast<WORD>(y - cells.y - client.y));
    };
    const bool onDialogRows = event.y >= 1 && event.y < terminal_.Height() - 1;
    SetKeyModifiers(event.shift, event.control, event.alt);
    if (event.button >= 64 && event.button <= 67) {
        // The wheel turned with Shift, or tilted, scrolls sideways.
        const bool sideways = event.button >= 66 || event.shift;
        const bool back = event.button == 64 || event.button == 66;
        HWND target = onDialogRows ? ControlAt(dialog_, x, y) : nullptr;
        if (target != nullptr && event.press) {
            const int delta = back != sideways ? WHEEL_DELTA : -WHEEL_DELTA;
            Post(target, sideways ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)),
                 pointIn(target));
        }
        return;
    }
    if (event.button != 0)
        return;
    if (!event.press) {
        if (pressed_ != nullptr && IsWindow(pressed_))
            Post(pressed_, WM_LBUTTONUP, 0, pointIn(pressed_));
        pressed_ = nullptr;
        return;
    }
    HWND target = onDialogRows ? ControlAt(dialog_, x, y) : nullptr;
    if (target == nullptr)
        return;
    const Clock::time_point now = Clock::now();
    const bool twice = lastPressAt_.x == event.x && lastPressAt_.y == event.y && now - lastPress_ < kDoubleClick;
    Post(target, twice ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, 0, pointIn(target));
    // A third press starts again with a single click.
    lastPress_ = twice ? Clock::time_point{} : now;
    lastPressAt_ = {event.x, event.y};
    pressed_ = target;
}

}  // namespace tui
