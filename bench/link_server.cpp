// A loopback site for comparing link checkers: /ok/N answers 200 with a small page, /gone/N 404,
// /moved/N 301 to /ok/N; every answer waits the given latency first. The corpus pages are served
// from PAGES_DIR under /site/. /__stats gives the link requests since the last /__reset as
// "requests HEAD GET". Serves for at most an hour, on loopback addresses only.
// With --hosts N the same site answers on 127.0.0.2 to 127.0.0.(N+1) as well, as N more hosts, and
// /__connections gives, since the last /__reset, the most connections open at once to any one address,
// the connections opened in all, then each address's most and opened ("127.0.0.2=4/4 ...").
// Usage: link_server PORT LATENCY_MS [PAGES_DIR] [--hosts N]
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// Open connections to one address: a connection counts from its accept until the server closes it.
struct ConnectionGauge {
    std::string address;
    std::atomic<int> open{0};
    std::atomic<int> most{0};
    std::atomic<int> opened{0};
};

// The server's thread pool, counting the connections it is handed.
class CountingQueue final : public httplib::TaskQueue {
public:
    CountingQueue(std::size_t threads, ConnectionGauge& gauge) : pool_(threads), gauge_(gauge) {}

    void enqueue(std::function<void()> serve) override {
        const int now = ++gauge_.open;
        ++gauge_.opened;
        int most = gauge_.most.load();
        while (now > most && !gauge_.most.compare_exchange_weak(most, now)) {
        }
        pool_.enqueue([this, serve = std::move(serve)] {
            serve();
            --gauge_.open;
        });
    }
    void shutdown() override { pool_.shutdown(); }

private:
    httplib::ThreadPool pool_;
    ConnectionGauge& gauge_;
};

// Enough threads that a checker opening many connections is never held back by the server.
constexpr std::size_t kThreadsPerAddress = 64;

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> positional;
    int extraHosts = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--hosts" && i + 1 < argc)
            extraHosts = std::clamp(std::atoi(argv[++i]), 0, 250);
        else
            positional.push_back(arg);
    }
    if (positional.size() < 2) {
        std::fprintf(stderr, "usage: link_server PORT LATENCY_MS [PAGES_DIR] [--hosts N]\n");
        return 2;
    }
    const int port = std::atoi(positional[0].c_str());
    const auto latency = std::chrono::milliseconds(std::atoi(positional[1].c_str()));
    std::atomic<long> heads{0};
    std::atomic<long> gets{0};

    std::vector<std::unique_ptr<ConnectionGauge>> gauges;
    for (int host = 0; host <= extraHosts; ++host) {
        gauges.push_back(std::make_unique<ConnectionGauge>());
        gauges.back()->address = "127.0.0." + std::to_string(host + 1);
    }
    std::vector<std::unique_ptr<httplib::Server>> servers;
    auto count = [&](const httplib::Request& request) {
        (request.method == "HEAD" ? heads : gets)++;
        if (latency.count() > 0)
            std::this_thread::sleep_for(latency);
    };
    for (const auto& gauge : gauges) {
        auto server = std::make_unique<httplib::Server>();
        ConnectionGauge& counted = *gauge;
        server->new_task_queue = [&counted] { return new CountingQueue(kThreadsPerAddress, counted); };
        server->set_keep_alive_max_count(1000000);
        // LinkChecker keeps to its own pace (several requests a second) with a site unless the site's
        // answers carry this header; with it, its configured rate applies.
        server->set_post_routing_handler([](const httplib::Request&, httplib::Response& response) {
            response.set_header("LinkChecker", "unlimited");
        });
        server->Get(R"(/ok/(\d+))", [&](const httplib::Request& request, httplib::Response& response) {
            count(request);
            response.set_content("<!DOCTYPE html><title>ok</title><p>ok</p>", "text/html");
        });
        server->Get(R"(/gone/(\d+))", [&](const httplib::Request& request, httplib::Response& response) {
            count(request);
            response.status = 404;
            response.set_content("gone", "text/plain");
        });
        server->Get(R"(/moved/(\d+))", [&](const httplib::Request& request, httplib::Response& response) {
            count(request);
            response.status = 301;
            response.set_header("Location", "/ok/" + request.matches[1].str());
        });
        server->Get("/robots.txt", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("User-agent: *\nDisallow:\n", "text/plain");
        });
        server->Get("/__stats", [&](const httplib::Request&, httplib::Response& response) {
            response.set_content(std::to_string(heads + gets) + " " + std::to_string(heads.load()) + " " +
                                     std::to_string(gets.load()) + "\n",
                                 "text/plain");
        });
        server->Get("/__connections", [&](const httplib::Request&, httplib::Response& response) {
            int most = 0;
            int opened = 0;
            std::string each;
            for (const auto& g : gauges) {
                most = std::max(most, g->most.load());
                opened += g->opened.load();
                each += " " + g->address + "=" + std::to_string(g->most.load()) + "/" + std::to_string(g->opened.load());
            }
            response.set_content(std::to_string(most) + " " + std::to_string(opened) + each + "\n", "text/plain");
        });
        server->Get("/__reset", [&](const httplib::Request&, httplib::Response& response) {
            heads = 0;
            gets = 0;
            // The connection asking counts itself.
            for (const auto& g : gauges) {
                g->most = g->open.load();
                g->opened = g->open.load();
            }
            response.set_content("0\n", "text/plain");
        });
        if (positional.size() > 2)
            server->set_mount_point("/site", positional[2]);
        servers.push_back(std::move(server));
    }
    std::thread stopper([&servers] {
        std::this_thread::sleep_for(std::chrono::hours(1));
        for (const auto& server : servers)
            server->stop();
    });
    stopper.detach();
    for (std::size_t i = 1; i < servers.size(); ++i) {
        if (!servers[i]->bind_to_port(gauges[i]->address, port)) {
            std::fprintf(stderr, "link_server: cannot listen on %s:%d\n", gauges[i]->address.c_str(), port);
            return 2;
        }
    }
    std::vector<std::thread> others;
    for (std::size_t i = 1; i < servers.size(); ++i)
        others.emplace_back([&server = *servers[i]] { server.listen_after_bind(); });
    if (!servers[0]->listen("127.0.0.1", port)) {
        std::fprintf(stderr, "link_server: cannot listen on 127.0.0.1:%d\n", port);
        return 2;
    }
    for (std::thread& other : others)
        other.join();
    return 0;
}
