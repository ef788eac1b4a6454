#include "bench/BenchSupport.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <limits>
#include <stdexcept>

namespace tarn::bench {
namespace {

std::size_t statusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stoul(line.substr(std::string(field).size()));
    return 0;
}

}  // namespace

std::string generatePage(int links) {
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>Index</title>\n"
        "<link rel=\"stylesheet\" href=\"https://www.example.com/css/site.css\">\n</head>\n<body>\n<ul>\n";
    page.reserve(static_cast<std::size_t>(links) * 110 + 200);
    for (int i = 0; i < links; ++i) {
        std::string n = std::to_string(i);
        if (i % 10 == 9)
            page += "<li><img src=\"https://img.example.com/t/" + n + ".png\" alt=\"Photo " + n + "\"></li>\n";
        else
            page += "<li><a href=\"https://www.example.com/section/" + std::to_string(i % 97) + "/page-" + n +
                    ".html?ref=idx\" class=item>Page " + n + " &amp; more</a></li>\n";
    }
    page += "</ul>\n</body>\n</html>\n";
    return page;
}

Measure measure(const std::function<void()>& work, int runs) {
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        Measure m;
        m.bestSeconds = std::numeric_limits<double>::max();
        for (int run = 0; run < runs; ++run) {
            std::size_t base = 0;
            if (run == 0) {
                std::ofstream("/proc/self/clear_refs") << "5";  // resets the peak to the present size
                base = statusKiB("VmRSS:");
            }
            auto start = std::chrono::steady_clock::now();
            work();
            double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (run == 0)
                m.peakBytes = (statusKiB("VmHWM:") - base) * 1024;
            m.bestSeconds = std::min(m.bestSeconds, s);
        }
        [[maybe_unused]] auto written = write(fds[1], &m, sizeof m);
        _exit(0);
    }
    close(fds[1]);
    Measure m;
    [[maybe_unused]] auto got = read(fds[0], &m, sizeof m);
    close(fds[0]);
    waitpid(child, nullptr, 0);
    return m;
}

}  // namespace tarn::bench
