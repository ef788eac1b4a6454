#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "platform/tui/Frame.h"
#include "platform/tui/InputDecoder.h"
#include "platform/win/ModalFrontEnd.h"
#include "platform/win/WinTypes.h"

namespace tui {

class Terminal;

// What the host shows around the dialog: its window's title (the page's file name) at the top and its
// status bar at the bottom, read again for every frame (the dialog shown, or null). F7 is the host's own
// key: it acts on the dialog through the dialog's input path, as the user's keys do.
struct HostView {
    std::u16string title;
    std::function<std::u16string(HWND dialog)> status;
    std::function<void(HWND dialog)> f7;
};

// Shows modal dialogs in the terminal: the painter's cells over the host's window, redrawn where they
// changed, at most about 30 times a second; the user's keys and mouse go to the dialog through its own
// input path (DeliverInput). The dialog is fitted to the terminal (maximized to it, so the size is not kept as
// the user's) and follows its resizes through the dialog's own layout, compact in a terminal smaller than the
// dialog's natural size; where it still needs more cells, the view opens on the dialog's top-left corner (the
// list's URLs) and pans to the focused control after each key, a move of the focus, or a resize. A stop signal (stopFd readable) or the end of the terminal's input closes the dialog as Cancel.
// The dialog's Help button and F1 show the key help.
class TerminalFrontEnd : public win::ModalFrontEnd {
public:
    // The command that fits the list's columns to their contents, and the key that sends it.
    static constexpr WORD kFitColumnsCommand = 53853;
    static constexpr WORD kHelpCommand = 57670;

    TerminalFrontEnd(Terminal& terminal, HostView host, int stopFd);

    void ModalStarted(HWND hDlg) override;
    void Idle(HWND hDlg) override;
    void ModalEnded(HWND hDlg) override;

    void ShowHelp() { help_ = true; }

private:
    using Clock = std::chrono::steady_clock;

    // Gives the dialog the terminal's size (the dialog keeps its smallest size itself).
    void Fit();
    Frame Compose();
    // Where the dialog's top-left cell is on the screen (panning included).
    Frame::Point DialogOrigin(int dialogWidth, int dialogHeight);
    void Handle(const InputEvent& event);
    void HandleKey(const InputEvent& event);
    void HandleMouse(const InputEvent& event);
    void Post(HWND target, UINT message, WPARAM wParam, LPARAM lParam);
    void Close();

    Terminal& terminal_;
    HostView host_;
    int stopFd_;
    HWND dialog_ = nullptr;
    InputDecoder decoder_;
    bool dirty_ = true;
    bool help_ = false;
    bool closing_ = false;
    Clock::time_point lastFrame_{};
    Clock::time_point escapeSince_{};
    int panX_ = 0;
    int panY_ = 0;
    HWND viewFocus_ = nullptr;  // the focus the view last followed
    bool followFocus_ = false;  // a key or a resize: bring the focus into view again
    Frame::Point origin_{0, 0};  // of the dialog on the last frame
    // The mouse: the window that took the last press, and when and where it came, for double clicks.
    HWND pressed_ = nullptr;
    Clock::time_point lastPress_{};
    Frame::Point lastPressAt_{-1, -1};
    bool helpHooked_ = false;
};

}  // namespace tui
