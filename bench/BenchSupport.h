#pragma once
#include <cstddef>
#include <functional>
#include <string>

namespace tarn::bench {

// A page with `links` external links, about 100 bytes of markup each, as a site's index would be.
std::string generatePage(int links);

struct Measure {
    double bestSeconds = 0;     // fastest of the runs
    std::size_t peakBytes = 0;  // the most heap the work held beyond what was held before it
};

// Runs `work` `runs` times over.
Measure measure(const std::function<void()>& work, int runs);

}  // namespace tarn::bench
