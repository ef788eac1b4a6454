#define NCURSES_WIDECHAR 1
#include "platform/tui/Terminal.h"

#include <curses.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <term.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace tui {

namespace {

// SGR mouse reports of presses, releases and the wheel; bracketed paste.
constexpr std::string_view kModesOn = "\x1b[?1000h\x1b[?1006h\x1b[?2004h";
constexpr std::string_view kModesOff = "\x1b[?2004l\x1b[?1006l\x1b[?1000l";
// Last on the way out: leaving the alternate screen may bring back the cursor's state from inside it.
constexpr std::string_view kCursorShown = "\x1b[?25h";

constexpr int kCrashSignals[] = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE};

enum Pair : short { kCaptionPair = 1, kBackdropPair, kStatusPair, kHelpPair };

// What a signal handler needs to put the terminal back: the bytes that leave the terminal's modes and
// its alternate screen, and the line settings from before.
struct RestoreState {
    char bytes[256] = {};
    std::size_t length = 0;
    struct termios line {};
};
RestoreState restoreState;
volatile sig_atomic_t screenActive = 0;
int winchPipe[2] = {-1, -1};
struct sigaction previousCrash[4] {};
struct sigaction previousWinch {};
SCREEN* screen = nullptr;

extern "C" void onCrash(int signal) {
    if (screenActive) {
        [[maybe_unused]] ssize_t n = ::write(STDOUT_FILENO, restoreState.bytes, restoreState.length);
        tcsetattr(STDIN_FILENO, TCSANOW, &restoreState.line);
    }
    // The signal is blocked while this runs; it strikes with its own action as soon as this returns.
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigaction(signal, &action, nullptr);
    raise(signal);
}

extern "C" void onWinch(int) {
    const int saved = errno;
    [[maybe_unused]] ssize_t n = ::write(winchPipe[1], "w", 1);
    errno = saved;
}

void Append(RestoreState& state, std::string_view bytes) {
    const std::size_t room = sizeof state.bytes - state.length;
    const std::size_t n = std::min(room, bytes.size());
    std::memcpy(state.bytes + state.length, bytes.data(), n);
    state.length += n;
}

void WriteAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

bool NoColorAsked() {
    const char* value = std::getenv("NO_COLOR");
    return value != nullptr && value[0] != '\0';
}

attr_t AttrsOf(std::uint8_t attrs) {
    attr_t result = A_NORMAL;
    if (attrs & paint::kBold)
        result |= A_BOLD;
    if (attrs & paint::kUnderline)
        result |= A_UNDERLINE;
    if (attrs & paint::kReverse)
        result |= A_REVERSE;
    if (attrs & paint::kDim)
        result |= A_DIM;
    return result;
}

bool SameCell(const Frame& a, const Frame& b, int x, int y) {
    const paint::Cell& p = a.At(x, y);
    const paint::Cell& q = b.At(x, y);
    return p.glyph == q.glyph && p.attrs == q.attrs && p.continuation == q.continuation &&
           a.RoleAt(x, y) == b.RoleAt(x, y);
}

constexpr const char* kOtherWays = ": use --check for a report, or --automate for a script";

std::string TermName() {
    const char* term = std::getenv("TERM");
    return term != nullptr ? term : "";
}

bool HasCapability(const char* name) {
    const char* value = tigetstr(const_cast<char*>(name));
    return value != nullptr && value != reinterpret_cast<char*>(-1);
}

// A terminal that cannot move its cursor (TERM=dumb, a printing terminal) would show nothing of the
// dialog while it runs unseen. An unknown terminal is left to newterm, which refuses it.
void RefuseUnaddressable() {
    int error = 0;
    if (setupterm(nullptr, STDOUT_FILENO, &error) != OK)
        return;
    const bool addressable = HasCapability("cup");
    del_curterm(cur_term);
    if (!addressable)
        throw TerminalError("the terminal (TERM=" + TermName() + ") cannot move its cursor" + kOtherWays);
}

}  // namespace

Terminal::Terminal() {
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO))
        throw TerminalError("standard input and output are not a terminal");
    if (screen != nullptr)
        throw TerminalError("the terminal is already in use");
    RefuseUnaddressable();
    tcgetattr(STDIN_FILENO, &restoreState.line);
    if (pipe2(winchPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw TerminalError(std::string("cannot watch the terminal's size: ") + std::strerror(errno));
    // Ours before ncurses starts, so that it leaves the signal to us.
    struct sigaction winch {};
    winch.sa_handler = onWinch;
    sigemptyset(&winch.sa_mask);
    winch.sa_flags = SA_RESTART;
    sigaction(SIGWINCH, &winch, &previousWinch);

    screen = newterm(nullptr, stdout, stdin);
    if (screen == nullptr) {
        sigaction(SIGWINCH, &previousWinch, nullptr);
        ::close(winchPipe[0]);
        ::close(winchPipe[1]);
        throw TerminalError("cannot use the terminal (TERM=" + TermName() + ")" + kOtherWays);
    }
    set_term(screen);
    cbreak();
    noecho();
    nonl();
    intrflush(stdscr, FALSE);
    keypad(stdscr, FALSE);
    curs_set(0);
    colors_ = has_colors() && !NoColorAsked();
    if (colors_) {
        start_color();
        use_default_colors();
        init_pair(kCaptionPair, COLOR_WHITE, COLOR_BLUE);
        init_pair(kBackdropPair, COLOR_BLACK, COLOR_CYAN);
        init_pair(kStatusPair, COLOR_BLACK, COLOR_WHITE);
        init_pair(kHelpPair, COLOR_BLACK, COLOR_YELLOW);
    }
    width_ = COLS;
    height_ = LINES;

    restoreState.length = 0;
    Append(restoreState, kModesOff);
    Append(restoreState, "\x1b[0m");
    if (HasCapability("rmcup"))
        Append(restoreState, tigetstr(const_cast<char*>("rmcup")));
    Append(restoreState, kCursorShown);
    struct sigaction crash {};
    crash.sa_handler = onCrash;
    sigemptyset(&crash.sa_mask);
    for (std::size_t i = 0; i < std::size(kCrashSignals); ++i)
        sigaction(kCrashSignals[i], &crash, &previousCrash[i]);
    screenActive = 1;

    wnoutrefresh(stdscr);
    doupdate();
    WriteAll(kModesOn);
}

Terminal::~Terminal() { Restore(); }

void Terminal::Restore() {
    if (restored_)
        return;
    restored_ = true;
    WriteAll(kModesOff);
    curs_set(1);
    endwin();
    WriteAll(kCursorShown);
    screenActive = 0;
    delscreen(screen);
    screen = nullptr;
    tcsetattr(STDIN_FILENO, TCSANOW, &restoreState.line);
    for (std::size_t i = 0; i < std::size(kCrashSignals); ++i)
        sigaction(kCrashSignals[i], &previousCrash[i], nullptr);
    sigaction(SIGWINCH, &previousWinch, nullptr);
    ::close(winchPipe[0]);
    ::close(winchPipe[1]);
    winchPipe[0] = winchPipe[1] = -1;
}

int Terminal::ResizeFd() const { return winchPipe[0]; }

std::string Terminal::ReadInput() {
    std::string bytes;
    pollfd watch{STDIN_FILENO, POLLIN, 0};
    while (!inputClosed_ && poll(&watch, 1, 0) > 0) {
        char chunk[4096];
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0) {
            inputClosed_ = true;
            break;
        }
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    return bytes;
}

bool Terminal::TakeResize() {
    char drained[64];
    while (::read(winchPipe[0], drained, sizeof drained) > 0) {
    }
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0)
        return false;
    if (size.ws_col == width_ && size.ws_row == height_)
        return false;
    resizeterm(size.ws_row, size.ws_col);
    width_ = COLS;
    height_ = LINES;
    Invalidate();
    return true;
}

void Terminal::Invalidate() {
    shown_ = Frame(0, 0);
    clearok(curscr, TRUE);
}

void Terminal::Draw(Frame frame) {
    const bool whole = shown_.width != frame.width || shown_.height != frame.height;
    for (int y = 0; y < frame.height && y < height_; ++y) {
        for (int x = 0; x < frame.width && x < width_; ++x) {
            const paint::Cell& cell = frame.At(x, y);
            if (cell.continuation || (!whole && SameCell(frame, shown_, x, y)))
                continue;
            attr_t attrs = AttrsOf(cell.attrs);
            short pair = 0;
            switch (frame.RoleAt(x, y)) {
            case Role::Dialog:
                break;
            case Role::Caption:
                attrs |= A_BOLD;
                colors_ ? void(pair = kCaptionPair) : void(attrs |= A_REVERSE);
                break;
            case Role::Backdrop:
                if (colors_)
                    pair = kBackdropPair;
                break;
            case Role::Status:
                colors_ ? void(pair = kStatusPair) : void(attrs |= A_REVERSE);
                break;
            case Role::Help:
                if (colors_)
                    pair = kHelpPair;
                break;
            }
            wchar_t text[8] = {};
            for (std::size_t i = 0; i < cell.glyph.size() && i < 7; ++i)
                text[i] = static_cast<wchar_t>(cell.glyph[i]);
            if (text[0] == 0)
                text[0] = L' ';
            cchar_t shown{};
            setcchar(&shown, text, attrs, pair, nullptr);
            mvwadd_wch(stdscr, y, x, &shown);
        }
    }
    if (frame.cursor) {
        wmove(stdscr, frame.cursor->y, frame.cursor->x);
        if (!cursorShown_)
            curs_set(1);
        cursorShown_ = true;
    } else if (cursorShown_) {
        curs_set(0);
        cursorShown_ = false;
    }
    wnoutrefresh(stdscr);
    doupdate();
    shown_ = std::move(frame);
}

}  // namespace tui
