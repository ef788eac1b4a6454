#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/app/ProgramTestSupport.h"

using nlohmann::json;

namespace tarn::test {
namespace {

// A loopback port that takes connections (the kernel's backlog does) and never answers: a check of a
// link to it waits until it is stopped.
class SilentServer {
public:
    SilentServer() {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd_, 16) != 0 ||
            getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        port_ = ntohs(address.sin_port);
    }
    ~SilentServer() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

constexpr int IDC_STOP = 3007;

class SignalTest : public ProgramTest, public ::testing::WithParamInterface<int> {};

TEST_P(SignalTest, ClosesTheDialogAsCancelPromptlyWithThePageUntouched) {
    SilentServer server;
    ASSERT_NE(server.port(), 0);
    useAutomaticStart();
    const std::string url = "http://127.0.0.1:" + std::to_string(server.port()) + "/slow";
    const std::string bytes = "<ul><li><a href=\"" + url + "\">slow</a><li><a href=\"" + url + "?2\">slower</a></ul>";
    std::string page = writePage(bytes);
    auto program = startAutomated(page);

    // The check runs: its Stop button is enabled. Bounded by time rather than by a count of state
    // commands, which answer faster than a loaded machine starts the worker.
    bool checking = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!checking && std::chrono::steady_clock::now() < deadline) {
        json state = program->command({{"op", "state"}});
        ASSERT_EQ(state.value("ok", false), true) << state.dump();
        for (const json& control : state["state"]["controls"])
            if (control["id"] == IDC_STOP && control["enabled"] == true)
                checking = true;
        if (!checking)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(checking);

    ASSERT_EQ(kill(program->pid(), GetParam()), 0);
    // Bounded by a second: the worker is told to stop and leaves its request at once.
    std::optional<int> status = program->wait(std::chrono::seconds(1));
    ASSERT_TRUE(status.has_value()) << "still running a second after the signal";
    EXPECT_EQ(*status, 0);
    std::vector<std::string> rest = program->readRest(std::chrono::seconds(1));
    ASSERT_FALSE(rest.empty());
    json exit = json::parse(rest.back());
    EXPECT_EQ(exit["event"], "exit");
    EXPECT_EQ(exit["modalResult"], 2);
    EXPECT_EQ(exit["saved"], false);
    EXPECT_EQ(readFile(page), bytes);
}

INSTANTIATE_TEST_SUITE_P(StopSignals, SignalTest, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == SIGINT ? "SIGINT" : info.param == SIGTERM ? "SIGTERM" : "SIGHUP");
                         });

}  // namespace
}  // namespace tarn::test
