#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tarn::test {

// A command run in a terminal of its own: a tmux server on a private socket in `folder` (no status line,
// TERM=xterm-256color, LANG=C.UTF-8, a short ESCDELAY), one pane of width x height cells, where a shell
// runs the command and then shows its exit status, so that its last screen and the terminal's modes can
// still be read. The server goes with the object.
class TmuxSession {
public:
    TmuxSession(const std::filesystem::path& folder, int width, int height, const std::vector<std::string>& command,
                const std::vector<std::string>& environment);
    ~TmuxSession();
    TmuxSession(const TmuxSession&) = delete;
    TmuxSession& operator=(const TmuxSession&) = delete;

    // tmux key names: "Tab", "BTab", "Escape", "Space", "Enter", "F4", "M-y", "Down"...
    void keys(const std::vector<std::string>& names);
    void text(const std::string& literal);
    // Bytes as a terminal would send them (an SGR mouse report, say).
    void bytes(const std::string& raw);
    // Pasted text, bracketed when the program asked for it.
    void paste(const std::string& text);
    // A press and release of the left button on the cell (x, y), 0-based.
    void click(int x, int y);
    void resize(int width, int height);

    // The screen, a line of UTF-8 a row; with `escapes`, attributes as SGR sequences too.
    std::vector<std::string> screen(bool escapes = false);
    std::string screenText();
    // Polls the screen until `ready` holds, for at most 15 s; false when it never did.
    bool waitFor(const std::function<bool(const std::vector<std::string>&)>& ready);
    bool waitForText(const std::string& text);
    // A tmux format of the pane, such as "#{alternate_on}".
    std::string pane(const std::string& format);
    // Waits (bounded) until the command has ended; its exit status, or -1 when it did not end.
    int waitForExit();
    // The command's process id (-1 when it is not running).
    int commandPid();

private:
    std::string tmux(std::vector<std::string> args);

    std::filesystem::path socket_;
};

// The cell at which `needle` starts in `line` (UTF-8; wide characters take two cells); -1 when absent.
int cellOf(const std::string& line, const std::string& needle);
// The index of the first line holding `needle`; -1 when none does.
int lineOf(const std::vector<std::string>& screen, const std::string& needle);

}  // namespace tarn::test
