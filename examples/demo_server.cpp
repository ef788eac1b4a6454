// The demo page's web site, on 127.0.0.1 only: a few pages that answer, one that moved, one that now
// leads to the home page (a moved page's redirect that no fix should follow), some that are gone or
// broken. It serves for at most ten minutes, so a demo that is interrupted leaves nothing behind.
// Usage: demo_server PORT
#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: demo_server PORT\n");
        return 2;
    }
    const int port = std::atoi(argv[1]);
    httplib::Server server;
    auto answer = [&server](const char* path, int status, const char* location = "/") {
        server.Get(path, [status, location](const httplib::Request&, httplib::Response& res) {
            res.status = status;
            res.set_content(status < 300 ? "<!DOCTYPE html><title>ok</title>" : "", "text/html");
            if (status == 301)
                res.set_header("Location", location);
        });
    };
    answer("/", 200);
    answer("/style.css", 200);
    answer("/images/logo.png", 200);
    answer("/search", 200);
    answer("/news", 301);
    answer("/company", 301, "/about/");
    answer("/about/", 200);
    answer("/broken", 500);
    answer("/teapot", 418);
    // Everything else: 404.
    std::thread stopper([&server] {
        std::this_thread::sleep_for(std::chrono::minutes(10));
        server.stop();
    });
    stopper.detach();
    if (!server.listen("127.0.0.1", port)) {
        std::fprintf(stderr, "demo_server: cannot listen on 127.0.0.1:%d\n", port);
        return 2;
    }
    return 0;
}
