#include "bench/BenchSupport.h"

#include <algorithm>
#include <chrono>
#include <limits>

#include "bench/HeapMeter.h"

namespace tarn::bench {

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
    Measure m;
    m.bestSeconds = std::numeric_limits<double>::max();
    for (int run = 0; run < runs; ++run) {
        const std::size_t base = HeapMeter::held();
        HeapMeter::reset();
        auto start = std::chrono::steady_clock::now();
        work();
        m.bestSeconds = std::min(m.bestSeconds, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        m.peakBytes = std::max(m.peakBytes, HeapMeter::peakAbove(base));
    }
    return m;
}

}  // namespace tarn::bench
