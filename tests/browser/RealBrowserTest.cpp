#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "contracts/host/Cci.h"
#include "platform/win/Utf8.h"
#include "tests/app/ProgramTestSupport.h"
#include "tests/http/LoopbackServer.h"

namespace fs = std::filesystem;
using nlohmann::json;
using namespace std::chrono_literals;

namespace tarn::test {
namespace {

constexpr int kOkButton = 1;
constexpr int IDC_CHANGE_URL_RADIO = 3010;
constexpr int IDC_GET_FROM_BROWSER = 3011;
constexpr int IDC_APPLY = 3012;
constexpr int IDC_NEW_URL = 3013;

// The command a person starts, found on PATH as a shell would.
std::optional<fs::path> findChromium() {
    const char* path = getenv("PATH");
    std::string_view rest = path != nullptr ? path : "/usr/bin";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const fs::path candidate = fs::path(rest.substr(0, colon)) / "chromium";
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    return std::nullopt;
}

// A real headless Chromium with a profile of its own, its remote debugging endpoint on a free port of
// 127.0.0.1. The browser and all its helper processes are one process group, killed with the object; the
// profile goes with them, whatever the test did.
class HeadlessChromium {
public:
    HeadlessChromium() = default;
    HeadlessChromium(const HeadlessChromium&) = delete;
    HeadlessChromium& operator=(const HeadlessChromium&) = delete;
    ~HeadlessChromium() {
        if (pid_ > 0) {
            kill(-pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            // The helpers leave with the group; the profile is removed once none can write to it.
            const auto limit = std::chrono::steady_clock::now() + 5s;
            while (kill(-pid_, 0) == 0 && std::chrono::steady_clock::now() < limit)
                std::this_thread::sleep_for(20ms);
        }
        if (!folder_.empty()) {
            std::error_code ignored;
            fs::remove_all(folder_, ignored);
        }
    }

    // Starts the browser on `url` and waits (bounded) until its endpoint is known.
    testing::AssertionResult start(const std::string& url) {
        const std::optional<fs::path> program = findChromium();
        if (!program)
            return testing::AssertionFailure()
                   << "chromium is not installed; ./run test installs it (tools/debian-packages.txt)";
        char name[] = "/tmp/tarn-chromium-XXXXXX";
        if (mkdtemp(name) == nullptr)
            return testing::AssertionFailure() << "cannot make a profile folder: " << std::strerror(errno);
        folder_ = name;
        const fs::path profile = folder_ / "profile";
        const fs::path log = folder_ / "chromium.log";

        // Everything the child needs is made before fork: the test's servers run threads.
        std::vector<std::string> args = {program->string(),
                                         "--headless",
                                         "--no-sandbox",
                                         "--disable-gpu",
                                         "--disable-background-networking",
                                         "--disable-component-update",
                                         "--disable-sync",
                                         "--no-first-run",
                                         "--disable-quic",
                                         "--remote-debugging-port=0",
                                         "--user-data-dir=" + profile.string(),
                                         url};
        std::vector<std::string> environment;
        for (char** entry = environ; *entry != nullptr; ++entry)
            if (std::strncmp(*entry, "XDG_", 4) != 0 && std::strncmp(*entry, "HOME=", 5) != 0)
                environment.emplace_back(*entry);
        for (const char* variable : {"HOME=", "XDG_CONFIG_HOME=", "XDG_CACHE_HOME="})
            environment.push_back(variable + folder_.string());
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (std::string& entry : environment)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
        const int logFd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (logFd < 0)
            return testing::AssertionFailure() << "cannot write " << log;

        pid_ = fork();
        if (pid_ == 0) {
            setpgid(0, 0);
            dup2(logFd, STDOUT_FILENO);
            dup2(logFd, STDERR_FILENO);
            dup2(open("/dev/null", O_RDONLY), STDIN_FILENO);
            execve(argv[0], argv.data(), envp.data());
            _exit(127);
        }
        close(logFd);
        if (pid_ < 0)
            return testing::AssertionFailure() << "cannot start chromium: " << std::strerror(errno);
        // Set here as well, so that a kill right after the fork already reaches the group.
        setpgid(pid_, pid_);

        const auto limit = std::chrono::steady_clock::now() + 30s;
        while (std::chrono::steady_clock::now() < limit) {
            std::ifstream file(profile / "DevToolsActivePort");
            std::string line;
            // The port is the first line; the file may be read while it is still being written.
            if (std::getline(file, line) && !file.eof() && !line.empty() &&
                line.find_first_not_of("0123456789") == std::string::npos) {
                port_ = std::stoi(line);
                return testing::AssertionSuccess();
            }
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                return testing::AssertionFailure() << "chromium ended at start-up; its output:\n" << readLog();
            }
            std::this_thread::sleep_for(50ms);
        }
        return testing::AssertionFailure() << "chromium wrote no DevToolsActivePort within 30 s; its output:\n"
                                           << readLog();
    }

    std::string endpoint() const { return "127.0.0.1:" + std::to_string(port_); }

    // Opens `url` in a new page through the endpoint, as a person opens a tab.
    testing::AssertionResult openPage(const std::string& url) {
        httplib::Client client("127.0.0.1", port_);
        client.set_connection_timeout(5s);
        client.set_read_timeout(10s);
        const httplib::Result result = client.Put("/json/new?" + url);
        if (!result || result->status != 200)
            return testing::AssertionFailure() << "PUT /json/new failed";
        return testing::AssertionSuccess();
    }

private:
    std::string readLog() const {
        std::ifstream in(folder_ / "chromium.log");
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path folder_;
    pid_t pid_ = -1;
    int port_ = 0;
};

// The URL and title of the page a browser shows in front, as the host library reads them.
std::pair<std::string, std::string> pageInFront(const std::string& endpoint) {
    CStringArray topics;
    topics.Add(CString(win::DecodeUtf8(endpoint)));
    CString url;
    CString title;
    if (!Cci(topics, nullptr).GetWindowInfo(url, title, Cci::WINDOW_INFO_URL | Cci::WINDOW_INFO_TITLE))
        return {};
    return {win::EncodeUtf8(url.ToStdString()), win::EncodeUtf8(title.ToStdString())};
}

// Waits (bounded) until the browser shows `url` with `title` in front.
bool waitForPageInFront(const std::string& endpoint, const std::string& url, const std::string& title) {
    const auto limit = std::chrono::steady_clock::now() + 20s;
    while (std::chrono::steady_clock::now() < limit) {
        if (pageInFront(endpoint) == std::pair(url, title))
            return true;
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

std::string controlText(const json& state, int id) {
    for (const json& control : state.at("controls"))
        if (control.at("id") == id)
            return control.at("text").get<std::string>();
    return "(no such control)";
}

class RealBrowserTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        // No endpoint from the setting (its default among them): only the ones a test gives are asked.
        std::ofstream(folder / "config" / "tarn" / "registry.ini", std::ios::app) << "\"browserEndpoints\"=\" \"\n";
        page = writePage("<!DOCTYPE html><html><body><a href=\"http://127.0.0.1:9/old\">old</a></body></html>");
    }

    // Selects the link's row and presses "ブラウザーより取得"; the dialog's state afterwards.
    static json getFromBrowser(ProgramProcess& program) {
        EXPECT_EQ(program.command({{"op", "clickRow"}, {"row", 0}}), json({{"ok", true}}));
        EXPECT_EQ(program.command({{"op", "click"}, {"id", IDC_GET_FROM_BROWSER}}), json({{"ok", true}}));
        return program.command({{"op", "state"}}).at("state");
    }

    std::string page;
};

TEST_F(RealBrowserTest, TheButtonTakesTheUrlOfThePageInFront) {
    LoopbackServer site;
    for (const auto& [path, title] : {std::pair("/first.html", "最初のページ"), std::pair("/second.html", "Second")})
        site.server().Get(path, [title](const httplib::Request&, httplib::Response& response) {
            response.set_content(std::string("<!DOCTYPE html><meta charset=\"utf-8\"><title>") + title +
                                     "</title><p>page",
                                 "text/html; charset=utf-8");
        });
    site.start();
    HeadlessChromium browser;
    ASSERT_TRUE(browser.start(site.url("/first.html")));
    ASSERT_TRUE(waitForPageInFront(browser.endpoint(), site.url("/first.html"), "最初のページ"));

    auto program = startAutomated(page, {"--browser", browser.endpoint()});
    EXPECT_EQ(controlText(getFromBrowser(*program), IDC_NEW_URL), site.url("/first.html"));

    // A second page opened in the browser is the one in front now.
    ASSERT_TRUE(browser.openPage(site.url("/second.html")));
    ASSERT_TRUE(waitForPageInFront(browser.endpoint(), site.url("/second.html"), "Second"));
    EXPECT_EQ(controlText(getFromBrowser(*program), IDC_NEW_URL), site.url("/second.html"));
    EXPECT_EQ(errors(), "");

    EXPECT_EQ(program->command({{"op", "close"}}), json({{"ok", true}}));
    EXPECT_EQ(program->readJson().value("event", ""), "exit");
    EXPECT_EQ(program->wait(), 0);
}

TEST_F(RealBrowserTest, WithNoBrowserNothingChangesAndOneLineSaysWhy) {
    // Refused at once: a port nobody listens on. Silent: one that takes the connection and never answers.
    const auto listener = [](bool listen) {
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        bind(fd, reinterpret_cast<sockaddr*>(&address), size);
        if (listen)
            ::listen(fd, 4);
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
        return std::pair(fd, "127.0.0.1:" + std::to_string(ntohs(address.sin_port)));
    };
    const auto [refusedFd, refused] = listener(false);
    const auto [silentFd, silent] = listener(true);
    close(refusedFd);

    auto program = startAutomated(page, {"--browser", refused, "--browser", silent});
    ASSERT_EQ(program->command({{"op", "clickRow"}, {"row", 0}}), json({{"ok", true}}));
    ASSERT_EQ(program->command({{"op", "type"}, {"id", IDC_NEW_URL}, {"text", "http://127.0.0.1:9/typed"}}),
              json({{"ok", true}}));
    const json before = program->command({{"op", "state"}}).at("state");
    program->sendJson({{"op", "click"}, {"id", IDC_GET_FROM_BROWSER}});
    // Each endpoint is given about a second: a hang shows here, long before the read's own limit.
    EXPECT_EQ(program->readJson(5s), json({{"ok", true}}));
    const json after = program->command({{"op", "state"}}).at("state");
    EXPECT_EQ(after.at("screen"), before.at("screen"));
    EXPECT_EQ(controlText(after, IDC_NEW_URL), "http://127.0.0.1:9/typed");
    close(silentFd);
    const std::string lines = errors();
    EXPECT_EQ(lines.rfind("tarnlink: no browser answers at " + refused + ", " + silent +
                              "; start one with --remote-debugging-port=9222",
                          0),
              0u)
        << lines;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1) << lines;
    EXPECT_EQ(program->command({{"op", "close"}}), json({{"ok", true}}));
    EXPECT_EQ(program->readJson().value("event", ""), "exit");
    EXPECT_EQ(program->wait(), 0);

    // Another machine is never asked: the program refuses to start.
    EXPECT_EQ(runToEnd(TARN_PROGRAM, {"--automate", page, "--browser", "192.0.2.1:9222"}, environment(),
                       folder / "stderr.txt"),
              2);
    EXPECT_NE(errors().find("192.0.2.1:9222 is not a port on this machine"), std::string::npos) << errors();
}

// The endpoint is any program on this machine, so what it lists is taken with care.
using BrowserEndpointTest = RealBrowserTest;

// A listed URL loses its control characters before it reaches the edit box, and so the page; one longer
// than the box holds is refused with a line that says so.
TEST_F(BrowserEndpointTest, AListedUrlIsCleanedAndBoundedByTheEditBox) {
    constexpr std::size_t kEditBoxHolds = 32767;
    const std::string start = "http://127.0.0.1:9/";
    const std::string tooLong = start + std::string(kEditBoxHolds + 1 - start.size(), 'a');
    const std::string pad(kEditBoxHolds - start.size() - 4, 'b');
    const std::string hostile = start + "\x1b[31m\x07" + pad;
    const std::string clean = start + "[31m" + pad;
    LoopbackServer endpoint;
    std::atomic<int> asked = 0;
    endpoint.server().Get("/json/list", [&](const httplib::Request&, httplib::Response& response) {
        const json list = {{{"type", "page"}, {"url", asked++ == 0 ? tooLong : hostile}, {"title", "\x1b]2;t\x07"}}};
        response.set_content(list.dump(), "application/json");
    });
    endpoint.start();
    const std::string topic = endpoint.url("").substr(std::string("http://").size());

    auto program = startAutomated(page, {"--browser", topic});
    EXPECT_EQ(controlText(getFromBrowser(*program), IDC_NEW_URL), "");
    EXPECT_NE(errors().find("URL is 32768 characters long"), std::string::npos) << errors();
    EXPECT_EQ(controlText(getFromBrowser(*program), IDC_NEW_URL), clean);
    EXPECT_EQ(program->command({{"op", "click"}, {"id", IDC_CHANGE_URL_RADIO}}), json({{"ok", true}}));
    EXPECT_EQ(program->command({{"op", "click"}, {"id", IDC_APPLY}}), json({{"ok", true}}));
    EXPECT_EQ(program->command({{"op", "click"}, {"id", kOkButton}}), json({{"ok", true}}));
    EXPECT_EQ(program->readJson().value("saved", false), true);
    EXPECT_EQ(program->wait(), 0);
    const std::string written = readFile(page);
    EXPECT_NE(written.find("href=\"" + clean + "\""), std::string::npos);
    EXPECT_EQ(written.find_first_of("\x1b\x07"), std::string::npos);
}

}  // namespace
}  // namespace tarn::test
