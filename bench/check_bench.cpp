// A check run of N links against a loopback server, beside the floor: the same N HEAD requests made
// one after another on one kept-alive connection with a bare libcurl handle. Also the time from
// Stop to the end of a run whose request is stalled.
// Usage: check_bench [links]   (default 1000)
#include <curl/curl.h>
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "app/PageHost.h"
#include "hostlibs/dom/HtmlParser.h"
#include "module/check/LinkCheckMessages.h"
#include "module/links/CTarnLinkCheckItems.h"
#include "platform/afx/CWnd.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class Server {
public:
    Server() {
        server_.Get(R"(/p/(\d+))", [this](const httplib::Request&, httplib::Response&) {
            ++requests;
            std::this_thread::sleep_for(std::chrono::milliseconds(latencyMs.load()));
        });
        // Stalls until the next release (5 s at most), so a server thread is not held longer.
        server_.Get("/stall", [this](const httplib::Request&, httplib::Response&) {
            const int mine = releases;
            stalled = true;
            for (int i = 0; i < 500 && releases == mine; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        });
        server_.set_keep_alive_max_count(1000000);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~Server() {
        ++releases;
        server_.stop();
        thread_.join();
    }
    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

    std::atomic<int> latencyMs{0};
    std::atomic<int> requests{0};
    std::atomic<bool> stalled{false};
    std::atomic<int> releases{0};

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

// The dialog's stand-in: counts results and notes the end of the run.
class Receiver : public CWnd {
public:
    Receiver() { CreateMessageOnly(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_LINK_RESULT)
            ++results;
        if (message == WM_CHECK_FINISHED)
            finished = true;
        return message >= WM_USER ? 1 : CWnd::WindowProc(message, wParam, lParam);
    }
    int results = 0;
    bool finished = false;
};

template <class Idle>
void pumpUntil(const bool& done, Idle idle) {
    while (!done) {
        idle();
        MsgWaitForMessages(20);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
}

double floorSeconds(Server& server, int links) {
    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    auto start = Clock::now();
    for (int i = 0; i < links; ++i) {
        std::string url = server.url("/p/" + std::to_string(i));
        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        curl_easy_perform(curl);
    }
    double seconds = secondsSince(start);
    curl_easy_cleanup(curl);
    return seconds;
}

struct Run {
    double seconds;
    int results;
};

std::unique_ptr<Document> pageOf(Server& server, const std::vector<std::string>& paths) {
    std::string html;
    for (const std::string& path : paths)
        html += "<a href=\"" + server.url(path) + "\">x</a>\n";
    return tarn::dom::parseHtml(html);
}

Run checkRun(Server& server, int links) {
    std::vector<std::string> paths;
    for (int i = 0; i < links; ++i)
        paths.push_back("/p/" + std::to_string(i));
    auto document = pageOf(server, paths);
    PageHost host(*document, {});
    CTarnLinkCheckItems list(&host);
    Receiver receiver;
    for (int i = 0; i < list.getCount(); ++i)
        list.getItem(i)->setCheckState(CHECK_PENDING);
    list.notifyWnd = &receiver;
    auto start = Clock::now();
    list.startCheck();
    pumpUntil(receiver.finished, [] {});
    return {secondsSince(start), receiver.results};
}

double stopLatency(Server& server) {
    auto document = pageOf(server, {"/stall", "/p/1", "/p/2"});
    PageHost host(*document, {});
    CTarnLinkCheckItems list(&host);
    Receiver receiver;
    for (int i = 0; i < list.getCount(); ++i)
        list.getItem(i)->setCheckState(CHECK_PENDING);
    list.notifyWnd = &receiver;
    server.stalled = false;
    Clock::time_point stoppedAt{};
    list.startCheck();
    pumpUntil(receiver.finished, [&] {
        if (server.stalled && stoppedAt == Clock::time_point{}) {
            stoppedAt = Clock::now();
            list.stopCheck();
        }
    });
    const double seconds = secondsSince(stoppedAt);
    ++server.releases;
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const int links = argc > 1 ? std::atoi(argv[1]) : 1000;
    Server server;
    std::printf("%10s %6s | %9s %9s %7s %13s\n", "latency", "links", "run s", "floor s", "ratio", "requests/link");
    for (int latency : {0, 20}) {
        server.latencyMs = latency;
        const double floor = floorSeconds(server, links);
        server.requests = 0;
        const Run run = checkRun(server, links);
        std::printf("%8d ms %6d | %9.3f %9.3f %7.3f %13.2f\n", latency, run.results, run.seconds, floor,
                    run.seconds / floor, static_cast<double>(server.requests) / links);
    }
    server.latencyMs = 0;
    std::vector<double> stops;
    for (int i = 0; i < 10; ++i)
        stops.push_back(stopLatency(server) * 1e3);
    std::sort(stops.begin(), stops.end());
    std::printf("Stop during a stalled request, to the end of the run: median %.1f ms, max %.1f ms\n", stops[5],
                stops.back());
    return 0;
}
