// The cost of collecting a page's links beside loading it (charset and parse), on generated pages.
// Each run loads the page and collects its links; the two are timed apart within the run, so both
// meet the same state of the heap.
// Usage: collect_bench [runs]   (default 5)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "app/PageHost.h"
#include "bench/BenchSupport.h"
#include "hostlibs/dom/HtmlParser.h"
#include "module/links/CTarnLinkCheckItems.h"

int main(int argc, char** argv) {
    using Clock = std::chrono::steady_clock;
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    std::printf("%8s %9s | %9s %10s %9s %7s | %9s\n", "links", "page MB", "load ms", "collect ms", "collected",
                "+%", "peak/page");
    for (int links : {1000, 10000, 100000}) {
        const std::string page = tarn::bench::generatePage(links);
        double load = std::numeric_limits<double>::max();
        double collect = load;
        int collected = 0;
        auto all = tarn::bench::measure(
            [&] {
                auto start = Clock::now();
                auto doc = tarn::dom::loadDocument(page);
                auto loaded = Clock::now();
                PageHost host(*doc, {});
                CTarnLinkCheckItems list(&host);
                auto done = Clock::now();
                load = std::min(load, std::chrono::duration<double>(loaded - start).count());
                collect = std::min(collect, std::chrono::duration<double>(done - loaded).count());
                collected = list.getCount();
            },
            runs);
        std::printf("%8d %9.2f | %9.2f %10.2f %9d %6.1f%% | %9.2f\n", links, page.size() / 1e6, load * 1e3,
                    collect * 1e3, collected, 100.0 * collect / load,
                    static_cast<double>(all.peakBytes) / page.size());
    }
    return 0;
}
