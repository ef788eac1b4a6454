#pragma once

#include <stdexcept>
#include <string>

#include "platform/tui/Frame.h"

namespace tui {

class TerminalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The terminal on standard input and output while the program shows its dialog there (ncursesw): the
// alternate screen, keys unbuffered without echo, SGR mouse reports and bracketed paste. Frames are drawn
// cell by cell where they differ from the last one. The terminal is restored when the object goes, and
// also when the process dies of a crash signal (SIGSEGV, SIGABRT, SIGBUS, SIGFPE), which then goes on
// with the signal's own action. One at a time.
class Terminal {
public:
    // Throws TerminalError when standard input or output is not a terminal, or ncurses cannot start.
    Terminal();
    ~Terminal();
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Readable when keys or mouse reports came; -1 once the terminal has gone (end of input).
    int InputFd() const { return inputClosed_ ? -1 : 0; }
    bool InputClosed() const { return inputClosed_; }
    // Readable when the window size changed.
    int ResizeFd() const;
    // The bytes waiting on the input, without blocking.
    std::string ReadInput();
    // After ResizeFd was readable: takes the new size; true when it differs.
    bool TakeResize();
    // Whether colours are used (a colour terminal, NO_COLOR unset or empty).
    bool Colors() const { return colors_; }

    void Draw(Frame frame);
    // The next Draw repaints every cell (the screen may have been disturbed).
    void Invalidate();

    // Puts the terminal back as it was; later calls do nothing.
    void Restore();

private:
    int width_ = 0;
    int height_ = 0;
    bool colors_ = false;
    bool restored_ = false;
    bool inputClosed_ = false;
    Frame shown_{0, 0};
    bool cursorShown_ = false;
};

}  // namespace tui
