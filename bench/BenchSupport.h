#pragma once
#include <cstddef>
#include <functional>
#include <string>

namespace tarn::bench {

// A page with `links` external links, about 100 bytes of markup each, as a site's index would be.
std::string generatePage(int links);

struct Measure {
    double bestSeconds = 0;     // fastest of the runs
    std::size_t peakBytes = 0;  // resident memory the work added at its peak
};

// Runs `work` in a child process `runs` times over (memory is measured on the first run, from a
// peak reset just before it), so that no run inherits another's heap.
Measure measure(const std::function<void()>& work, int runs);

}  // namespace tarn::bench
