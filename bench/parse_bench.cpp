// Parse speed and peak memory of our document beside gumbo's parse of the same bytes.
// Usage: parse_bench [runs]   (default 5)
#include <gumbo.h>

#include <cstdio>
#include <cstdlib>

#include "bench/BenchSupport.h"
#include "bench/HeapMeter.h"
#include "hostlibs/dom/HtmlParser.h"

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    GumboOptions gumboOptions = kGumboDefaultOptions;
    gumboOptions.allocator = [](void*, size_t size) { return tarn::bench::HeapMeter::allocate(size); };
    gumboOptions.deallocator = [](void*, void* p) { tarn::bench::HeapMeter::release(p); };
    std::printf("%8s %9s | %9s %8s %9s | %9s %8s %9s | %6s\n", "links", "page MB", "ours ms", "MB/s", "peak/page",
                "gumbo ms", "MB/s", "peak/page", "speed");
    for (int links : {1000, 10000, 100000}) {
        const std::string page = tarn::bench::generatePage(links);
        const double mb = static_cast<double>(page.size()) / 1e6;
        // The document holds the page's text, so its copy counts in our peak; gumbo reads the
        // caller's buffer, which it does not count.
        auto ours = tarn::bench::measure([&] { auto doc = tarn::dom::parseHtml(page); }, runs);
        auto gumbo = tarn::bench::measure(
            [&] {
                GumboOutput* out = gumbo_parse_with_options(&gumboOptions, page.data(), page.size());
                gumbo_destroy_output(&gumboOptions, out);
            },
            runs);
        std::printf("%8d %9.2f | %9.2f %8.1f %9.2f | %9.2f %8.1f %9.2f | %5.2fx\n", links, mb,
                    ours.bestSeconds * 1e3, mb / ours.bestSeconds, static_cast<double>(ours.peakBytes) / page.size(),
                    gumbo.bestSeconds * 1e3, mb / gumbo.bestSeconds,
                    static_cast<double>(gumbo.peakBytes) / page.size(), gumbo.bestSeconds / ours.bestSeconds);
    }
    return 0;
}
