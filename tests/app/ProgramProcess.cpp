#include "tests/app/ProgramProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace tarn::test {

namespace {

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

ProgramProcess::ProgramProcess(const std::string& program, const std::vector<std::string>& args,
                               const std::vector<std::string>& environment, const std::filesystem::path& stderrFile,
                               std::optional<std::size_t> fileSizeLimit) {
    int in[2];
    int out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0)
        return;
    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e)
        envStrings.emplace_back(*e);
    envStrings.insert(envStrings.end(), environment.begin(), environment.end());
    // Everything the child needs is made before fork: after it, only async-signal-safe calls.
    std::vector<char*> argv;
    for (std::string& a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : envStrings)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    int err = ::open(stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);

    pid_ = fork();
    if (pid_ == 0) {
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        if (err >= 0)
            dup2(err, STDERR_FILENO);
        if (fileSizeLimit) {
            // A write past the limit fails with EFBIG instead of killing the child.
            signal(SIGXFSZ, SIG_IGN);
            rlimit limit{*fileSizeLimit, *fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    if (err >= 0)
        ::close(err);
    input_ = in[1];
    output_ = out[0];
}

ProgramProcess::~ProgramProcess() {
    if (pid_ > 0 && !status_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (input_ >= 0)
        ::close(input_);
    if (output_ >= 0)
        ::close(output_);
}

void ProgramProcess::send(const std::string& line) {
    if (input_ < 0)
        return;
    std::string text = line + "\n";
    // A child that has gone must not end the test with SIGPIPE.
    signal(SIGPIPE, SIG_IGN);
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(input_, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += static_cast<std::size_t>(n);
    }
}

void ProgramProcess::closeInput() {
    if (input_ >= 0)
        ::close(input_);
    input_ = -1;
}

std::optional<std::string> ProgramProcess::readLine(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (auto end = buffered_.find('\n'); end != std::string::npos) {
            std::string line = buffered_.substr(0, end);
            buffered_.erase(0, end + 1);
            return line;
        }
        if (outputEnded_ || output_ < 0)
            return std::nullopt;
        pollfd watch{output_, POLLIN, 0};
        int ready = poll(&watch, 1, remainingMs(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return std::nullopt;
        char chunk[65536];
        ssize_t n = ::read(output_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            outputEnded_ = true;
        else
            buffered_.append(chunk, static_cast<std::size_t>(n));
    }
}

nlohmann::json ProgramProcess::readJson(std::chrono::milliseconds timeout) {
    std::optional<std::string> line = readLine(timeout);
    if (!line)
        return nullptr;
    nlohmann::json parsed = nlohmann::json::parse(*line, nullptr, false);
    return parsed.is_discarded() ? nlohmann::json(nullptr) : parsed;
}

nlohmann::json ProgramProcess::command(const nlohmann::json& command) {
    sendJson(command);
    return readJson();
}

std::vector<std::string> ProgramProcess::readRest(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    std::vector<std::string> lines;
    while (auto line = readLine(std::chrono::milliseconds(remainingMs(deadline))))
        lines.push_back(*line);
    return lines;
}

std::optional<int> ProgramProcess::wait(std::chrono::milliseconds timeout) {
    if (status_)
        return status_;
    if (pid_ <= 0)
        return std::nullopt;
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        int status = 0;
        pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return status_;
        }
        if (Clock::now() >= deadline)
            return std::nullopt;
        // Polling the child's state: no notification to wait on without a SIGCHLD handler.
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

int runToEnd(const std::string& program, const std::vector<std::string>& args,
             const std::vector<std::string>& environment, const std::filesystem::path& stderrFile,
             std::string* output, std::optional<std::size_t> fileSizeLimit) {
    ProgramProcess process(program, args, environment, stderrFile, fileSizeLimit);
    process.closeInput();
    std::vector<std::string> lines = process.readRest();
    if (output)
        for (const std::string& line : lines)
            *output += line + "\n";
    return process.wait().value_or(-1);
}

}  // namespace tarn::test
