#include "tests/tui/TmuxSession.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <iterator>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "platform/win/Utf8.h"
#include "platform/win/TextCells.h"

extern char** environ;

namespace tarn::test {

namespace {

using namespace std::chrono_literals;

std::string quote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

TmuxSession::TmuxSession(const std::filesystem::path& folder, int width, int height,
                         const std::vector<std::string>& command, const std::vector<std::string>& environment)
    : socket_(folder / "tmux.sock") {
    const std::filesystem::path config = folder / "tmux.conf";
    std::ofstream(config) << "set -g status off\n"
                             "set -g default-terminal xterm-256color\n"
                             "set -g escape-time 0\n";
    // The shell stays after the command, so that everything the command wrote is on the screen when its
    // exit status shows (tmux may drop a dead pane's last output).
    std::string shellCommand = "env LANG=C.UTF-8 LC_ALL=C.UTF-8 ESCDELAY=25";
    for (const std::string& variable : environment)
        shellCommand += " " + quote(variable);
    for (const std::string& word : command)
        shellCommand += " " + quote(word);
    shellCommand += "; printf '\\n[exit %d]\\n' $?; sleep 600";
    tmux({"-f", config.string(), "new-session", "-d", "-s", "t", "-x", std::to_string(width), "-y",
          std::to_string(height), shellCommand});
}

TmuxSession::~TmuxSession() { tmux({"kill-server"}); }

std::string TmuxSession::tmux(std::vector<std::string> args) {
    args.insert(args.begin(), {"tmux", "-S", socket_.string()});
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    // The answer goes through a file: the server the first command starts keeps the client's output open,
    // so a pipe would never end.
    const std::string answer = (socket_.parent_path() / "tmux.out").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, answer.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // The client needs a terminal type to start a server even when detached.
    std::vector<std::string> env{"TERM=xterm-256color", "LANG=C.UTF-8"};
    for (char** e = environ; *e != nullptr; ++e)
        if (std::string(*e).rfind("TERM=", 0) != 0 && std::string(*e).rfind("TMUX", 0) != 0)
            env.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "tmux", &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot run tmux");
    int status = 0;
    waitpid(pid, &status, 0);
    std::ifstream in(answer, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void TmuxSession::keys(const std::vector<std::string>& names) {
    std::vector<std::string> args{"send-keys", "-t", "t"};
    args.insert(args.end(), names.begin(), names.end());
    tmux(args);
}

void TmuxSession::text(const std::string& literal) { tmux({"send-keys", "-t", "t", "-l", literal}); }

void TmuxSession::bytes(const std::string& raw) {
    std::vector<std::string> args{"send-keys", "-t", "t", "-H"};
    char hex[3];
    for (unsigned char c : raw) {
        std::snprintf(hex, sizeof hex, "%02x", c);
        args.emplace_back(hex);
    }
    tmux(args);
}

void TmuxSession::paste(const std::string& text) {
    tmux({"set-buffer", "-b", "test", text});
    tmux({"paste-buffer", "-p", "-b", "test", "-t", "t"});
}

void TmuxSession::click(int x, int y) {
    const std::string at = std::to_string(x + 1) + ";" + std::to_string(y + 1);
    bytes("\x1b[<0;" + at + "M\x1b[<0;" + at + "m");
}

void TmuxSession::resize(int width, int height) {
    tmux({"resize-window", "-t", "t", "-x", std::to_string(width), "-y", std::to_string(height)});
}

std::vector<std::string> TmuxSession::screen(bool escapes) {
    std::vector<std::string> args{"capture-pane", "-p", "-t", "t"};
    if (escapes)
        args.emplace_back("-e");
    const std::string text = tmux(args);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

std::string TmuxSession::screenText() {
    std::string all;
    for (const std::string& line : screen())
        all += line + "\n";
    return all;
}

bool TmuxSession::waitFor(const std::function<bool(const std::vector<std::string>&)>& ready) {
    const auto deadline = std::chrono::steady_clock::now() + 15s;
    while (std::chrono::steady_clock::now() < deadline) {
        if (ready(screen()))
            return true;
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

bool TmuxSession::waitForText(const std::string& text) {
    return waitFor([&](const std::vector<std::string>& lines) { return lineOf(lines, text) >= 0; });
}

std::string TmuxSession::pane(const std::string& format) {
    std::string value = tmux({"display-message", "-p", "-t", "t", format});
    while (!value.empty() && value.back() == '\n')
        value.pop_back();
    return value;
}

int TmuxSession::waitForExit() {
    int status = -1;
    waitFor([&](const std::vector<std::string>& lines) {
        for (const std::string& line : lines)
            if (line.rfind("[exit ", 0) == 0)
                return (status = std::stoi(line.substr(6))), true;
        return false;
    });
    return status;
}

int TmuxSession::commandPid() {
    const std::string shell = pane("#{pane_pid}");
    std::ifstream children("/proc/" + shell + "/task/" + shell + "/children");
    int pid = -1;
    children >> pid;
    return pid;
}

int cellOf(const std::string& line, const std::string& needle) {
    const std::size_t at = line.find(needle);
    return at == std::string::npos ? -1 : TextCells(win::DecodeUtf8(line.substr(0, at)));
}

int lineOf(const std::vector<std::string>& screen, const std::string& needle) {
    for (std::size_t i = 0; i < screen.size(); ++i)
        if (screen[i].find(needle) != std::string::npos)
            return static_cast<int>(i);
    return -1;
}

}  // namespace tarn::test
