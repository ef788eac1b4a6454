#include "platform/tui/TerminalFrontEnd.h"

#include <cstdlib>
#include <unordered_map>

#include "platform/tui/Terminal.h"
#include "platform/win/CommandMessages.h"
#include "platform/win/MessageWait.h"
#include "platform/win/WinBase.h"
#include "platform/win/WinUser.h"

namespace tui {

namespace {

// At most about 30 frames a second, however fast the dialog changes.
constexpr std::chrono::milliseconds kFrameInterval{33};

// How long a lone ESC waits for the rest of a key's sequence: ESCDELAY, as curses reads it, else short.
std::chrono::milliseconds EscapeDelay() {
    const char* value = std::getenv("ESCDELAY");
    const int ms = value != nullptr ? std::atoi(value) : 0;
    return std::chrono::milliseconds(ms > 0 ? ms : 25);
}

// The host answers the dialog's Help command: each hooked dialog's previous procedure and its front end.
struct HelpHook {
    WNDPROC previous;
    TerminalFrontEnd* frontEnd;
};
std::unordered_map<HWND, HelpHook> helpHooks;

LRESULT HookedDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto hook = helpHooks.find(hWnd);
    if (hook == helpHooks.end())
        return DefWindowProcW(hWnd, message, wParam, lParam);
    if (message == WM_COMMAND && LOWORD(static_cast<UINT_PTR>(wParam)) == TerminalFrontEnd::kHelpCommand) {
        hook->second.frontEnd->ShowHelp();
        return 0;
    }
    return CallWindowProcW(hook->second.previous, hWnd, message, wParam, lParam);
}

}  // namespace

TerminalFrontEnd::TerminalFrontEnd(Terminal& terminal, HostView host, int stopFd)
    : terminal_(terminal), host_(std::move(host)), stopFd_(stopFd) {}

void TerminalFrontEnd::ModalStarted(HWND hDlg) {
    dialog_ = hDlg;
    closing_ = false;
    dirty_ = true;
    panX_ = panY_ = 0;
    viewFocus_ = GetFocus();
    followFocus_ = false;
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hDlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookedDialogProc)));
    helpHooks[hDlg] = HelpHook{previous, this};
    Fit();
}

void TerminalFrontEnd::ModalEnded(HWND hDlg) {
    if (auto hook = helpHooks.find(hDlg); hook != helpHooks.end()) {
        SetWindowLongPtrW(hDlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook->second.previous));
        helpHooks.erase(hook);
    }
    dialog_ = nullptr;
    pressed_ = nullptr;
    help_ = false;
}

void TerminalFrontEnd::Fit() {
    RECT window{};
    GetWindowRect(dialog_, &window);
    const int width = terminal_.Width();
    const int height = std::max(1, terminal_.Height() - 2);
    // The terminal is the dialog's screen: a size it is fitted to is not one the user chose.
    if (window.right - window.left != width || window.bottom - window.top != height)
        MaximizeWindow(dialog_, window.left, window.top, width, height);
}

void TerminalFrontEnd::Close() {
    if (closing_)
        return;
    closing_ = true;
    help_ = false;
    PostMessageW(dialog_, WM_CLOSE, 0, 0);
}

void TerminalFrontEnd::Idle(HWND hDlg) {
    // A nested dialog may have run in between: the loop calling now is this dialog's.
    dialog_ = hDlg;
    const std::string bytes = terminal_.ReadInput();
    if (!bytes.empty()) {
        decoder_.Feed(bytes);
        escapeSince_ = Clock::now();
    }
    std::vector<InputEvent> events = decoder_.Take();
    if (decoder_.Pending() && Clock::now() - escapeSince_ >= EscapeDelay())
        events = decoder_.Flush();
    if (terminal_.InputClosed())
        Close();
    if (!events.empty()) {
        for (const InputEvent& event : events)
            Handle(event);
        dirty_ = true;
        return;
    }

    const Clock::time_point now = Clock::now();
    if (dirty_ && now - lastFrame_ >= kFrameInterval) {
        terminal_.Draw(Compose());
        lastFrame_ = now;
        dirty_ = false;
    }
    std::chrono::milliseconds wait{-1};
    if (dirty_)
        wait = std::chrono::duration_cast<std::chrono::milliseconds>(lastFrame_ + kFrameInterval - now);
    if (decoder_.Pending())
        wait = std::min(wait.count() < 0 ? EscapeDelay() : wait, EscapeDelay());
    // Once closing, the signal pipe (which stays readable) is no longer watched.
    const int fds[3] = {terminal_.InputFd(), closing_ ? -1 : stopFd_, terminal_.ResizeFd()};
    const DWORD waited = MsgWaitForMessagesOrFds(
        fds, 3, wait.count() < 0 ? INFINITE : static_cast<DWORD>(std::max<long long>(1, wait.count())));
    if (waited == WAIT_OBJECT_0 + 2) {
        Close();
    } else if (waited == WAIT_OBJECT_0 + 3) {
        if (terminal_.TakeResize()) {
            Fit();
            followFocus_ = true;
        }
    }
    if (waited != WAIT_TIMEOUT)
        dirty_ = true;
}

}  // namespace tui
