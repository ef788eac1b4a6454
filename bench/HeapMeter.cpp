#include "bench/HeapMeter.h"

#include <cstdlib>
#include <new>

namespace tarn::bench {
namespace {
std::size_t g_held = 0;
std::size_t g_peak = 0;
}  // namespace

// Each block carries its size in front, aligned for anything operator new must return.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void HeapMeter::reset() { g_peak = g_held; }
std::size_t HeapMeter::held() { return g_held; }
std::size_t HeapMeter::peakAbove(std::size_t base) { return g_peak - base; }

void* HeapMeter::allocate(std::size_t size) {
    auto* block = static_cast<char*>(std::malloc(size + kHeader));
    if (!block)
        return nullptr;
    *reinterpret_cast<std::size_t*>(block) = size;
    g_held += size;
    if (g_held > g_peak)
        g_peak = g_held;
    return block + kHeader;
}

void HeapMeter::release(void* p) {
    if (!p)
        return;
    char* block = static_cast<char*>(p) - kHeader;
    g_held -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

}  // namespace tarn::bench

using tarn::bench::HeapMeter;
using tarn::bench::kHeader;

void* operator new(std::size_t size) {
    if (void* p = HeapMeter::allocate(size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { HeapMeter::release(p); }
void operator delete[](void* p) noexcept { HeapMeter::release(p); }
void operator delete(void* p, std::size_t) noexcept { HeapMeter::release(p); }
void operator delete[](void* p, std::size_t) noexcept { HeapMeter::release(p); }
// The parsers never ask for more than the header's alignment; a benchmark that did would stop here
// rather than measure with misaligned blocks.
void* operator new(std::size_t size, std::align_val_t align) {
    if (static_cast<std::size_t>(align) > kHeader)
        std::abort();
    return operator new(size);
}
void* operator new[](std::size_t size, std::align_val_t align) { return operator new(size, align); }
void operator delete(void* p, std::align_val_t) noexcept { HeapMeter::release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { HeapMeter::release(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { HeapMeter::release(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { HeapMeter::release(p); }
