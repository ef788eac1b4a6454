// A loopback site for comparing link checkers: /ok/N answers 200 with a small page, /gone/N 404,
// /moved/N 301 to /ok/N; every answer waits the given latency first. The corpus pages are served
// from PAGES_DIR under /site/. /__stats gives the link requests since the last /__reset as
// "requests HEAD GET". Serves for at most an hour, on 127.0.0.1 only.
// Usage: link_server PORT LATENCY_MS [PAGES_DIR]
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: link_server PORT LATENCY_MS [PAGES_DIR]\n");
        return 2;
    }
    const int port = std::atoi(argv[1]);
    const auto latency = std::chrono::milliseconds(std::atoi(argv[2]));
    httplib::Server server;
    server.set_keep_alive_max_count(1000000);
    std::atomic<long> heads{0};
    std::atomic<long> gets{0};
    // LinkChecker keeps to its own pace (several requests a second) with a site unless the site's
    // answers carry this header; with it, its configured rate applies.
    server.set_post_routing_handler([](const httplib::Request&, httplib::Response& response) {
        response.set_header("LinkChecker", "unlimited");
    });
    auto count = [&](const httplib::Request& request) {
        (request.method == "HEAD" ? heads : gets)++;
        if (latency.count() > 0)
            std::this_thread::sleep_for(latency);
    };
    server.Get(R"(/ok/(\d+))", [&](const httplib::Request& request, httplib::Response& response) {
        count(request);
        response.set_content("<!DOCTYPE html><title>ok</title><p>ok</p>", "text/html");
    });
    server.Get(R"(/gone/(\d+))", [&](const httplib::Request& request, httplib::Response& response) {
        count(request);
        response.status = 404;
        response.set_content("gone", "text/plain");
    });
    server.Get(R"(/moved/(\d+))", [&](const httplib::Request& request, httplib::Response& response) {
        count(request);
        response.status = 301;
        response.set_header("Location", "/ok/" + request.matches[1].str());
    });
    server.Get("/robots.txt", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("User-agent: *\nDisallow:\n", "text/plain");
    });
    server.Get("/__stats", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::to_string(heads + gets) + " " + std::to_string(heads.load()) + " " +
                                 std::to_string(gets.load()) + "\n",
                             "text/plain");
    });
    server.Get("/__reset", [&](const httplib::Request&, httplib::Response& response) {
        heads = 0;
        gets = 0;
        response.set_content("0\n", "text/plain");
    });
    if (argc > 3)
        server.set_mount_point("/site", argv[3]);
    std::thread stopper([&server] {
        std::this_thread::sleep_for(std::chrono::hours(1));
        server.stop();
    });
    stopper.detach();
    if (!server.listen("127.0.0.1", port)) {
        std::fprintf(stderr, "link_server: cannot listen on 127.0.0.1:%d\n", port);
        return 2;
    }
    return 0;
}
