#include "bench/HeapMeter.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace tarn::bench {
namespace {
std::size_t g_held = 0;
std::size_t g_peak = 0;
}  // namespace

// Each block carries its size right in front of what it gives, in a header as large as the alignment asked
// (at least as large as anything operator new must return is aligned to).
constexpr std::size_t kHeader = alignof(std::max_align_t);

void HeapMeter::reset() { g_peak = g_held; }
std::size_t HeapMeter::held() { return g_held; }
std::size_t HeapMeter::peakAbove(std::size_t base) { return g_peak - base; }

void* HeapMeter::allocate(std::size_t size, std::size_t align) {
    const std::size_t header = std::max(kHeader, align);
    void* raw = align <= kHeader ? std::malloc(size + header)
                                 : std::aligned_alloc(align, (size + header + align - 1) / align * align);
    if (!raw)
        return nullptr;
    char* p = static_cast<char*>(raw) + header;
    *reinterpret_cast<std::size_t*>(p - sizeof(std::size_t)) = size;
    g_held += size;
    if (g_held > g_peak)
        g_peak = g_held;
    return p;
}

void HeapMeter::release(void* p, std::size_t align) {
    if (!p)
        return;
    char* bytes = static_cast<char*>(p);
    g_held -= *reinterpret_cast<std::size_t*>(bytes - sizeof(std::size_t));
    std::free(bytes - std::max(kHeader, align));
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
// The document's arena blocks are aligned far beyond the header's alignment.
void* operator new(std::size_t size, std::align_val_t align) {
    if (void* p = HeapMeter::allocate(size, static_cast<std::size_t>(align)))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t align) { return operator new(size, align); }
void operator delete(void* p, std::align_val_t align) noexcept { HeapMeter::release(p, static_cast<std::size_t>(align)); }
void operator delete[](void* p, std::align_val_t align) noexcept { operator delete(p, align); }
void operator delete(void* p, std::size_t, std::align_val_t align) noexcept { operator delete(p, align); }
void operator delete[](void* p, std::size_t, std::align_val_t align) noexcept { operator delete(p, align); }
