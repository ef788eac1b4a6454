#pragma once
#include <cstddef>

namespace tarn::bench {

// Counts the bytes a benchmark holds on the heap: the program's operator new and delete are
// replaced, and gumbo is given counting allocator functions, so both parsers are measured alike.
// Single-threaded, like the benchmarks.
class HeapMeter {
public:
    static void reset();            // the peak becomes what is held now
    static std::size_t held();
    static std::size_t peakAbove(std::size_t base);  // the peak since reset, less `base`

    static void* allocate(std::size_t size, std::size_t align = alignof(std::max_align_t));
    static void release(void* p, std::size_t align = alignof(std::max_align_t));
};

}  // namespace tarn::bench
