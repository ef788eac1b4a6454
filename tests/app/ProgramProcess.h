#pragma once
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace tarn::test {

// The built tarnlink run as a child process, with pipes on its standard input and output and its
// standard error kept in a file. Every wait is bounded; the destructor kills a child still running.
class ProgramProcess {
public:
    // Starts `program` with `args`, and the given environment entries ("NAME=value") added to ours. With
    // `fileSizeLimit`, no file the child writes may grow beyond it (RLIMIT_FSIZE): its writes fail there.
    ProgramProcess(const std::string& program, const std::vector<std::string>& args,
                   const std::vector<std::string>& environment, const std::filesystem::path& stderrFile,
                   std::optional<std::size_t> fileSizeLimit = std::nullopt);
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    pid_t pid() const { return pid_; }

    // Writes one line (a line break is added).
    void send(const std::string& line);
    void sendJson(const nlohmann::json& command) { send(command.dump()); }
    // Ends the child's input.
    void closeInput();
    // The next line of output; none when the output ended or `timeout` passed first.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // The next line parsed as JSON; a JSON null when there was none or it is not JSON.
    nlohmann::json readJson(std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // Sends a command and reads its answer.
    nlohmann::json command(const nlohmann::json& command);
    // Every line left on the output until it ends.
    std::vector<std::string> readRest(std::chrono::milliseconds timeout = std::chrono::seconds(20));

    // The exit status once the child has ended: its exit code, or 128 + the signal that killed it;
    // none when `timeout` passed first.
    std::optional<int> wait(std::chrono::milliseconds timeout = std::chrono::seconds(20));

private:
    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string buffered_;
    bool outputEnded_ = false;
    std::optional<int> status_;
};

// Runs the program to its end with no input; returns the exit status (-1 when it did not end in time).
int runToEnd(const std::string& program, const std::vector<std::string>& args,
             const std::vector<std::string>& environment, const std::filesystem::path& stderrFile,
             std::string* output = nullptr, std::optional<std::size_t> fileSizeLimit = std::nullopt);

}  // namespace tarn::test
