#include "platform/afx/StringBuffers.h"

#include "platform/afx/CFixedAlloc.h"

#include <array>
#include <new>

namespace afx {

#ifndef AFX_FIXED_ALLOC_HEAP

namespace {

constexpr std::size_t kStep = 8;
constexpr std::size_t kLargest = 256;
constexpr std::size_t kClasses = kLargest / kStep;
// About 4 KiB a block: a size that few strings have costs little.
constexpr UINT kBlockBytes = 4096;

std::size_t ClassOf(std::size_t bytes) { return (bytes + kStep - 1) / kStep - 1; }

class SizeClasses {
public:
    SizeClasses() {
        for (std::size_t i = 0; i < kClasses; ++i) {
            const auto size = static_cast<UINT>((i + 1) * kStep);
            m_classes[i] = new CFixedAlloc(size, kBlockBytes / size);
        }
    }
    CFixedAlloc& For(std::size_t bytes) { return *m_classes[ClassOf(bytes)]; }

private:
    std::array<CFixedAlloc*, kClasses> m_classes{};
};

// Never destroyed: a CString of static storage may be released after any static object's end.
SizeClasses& Classes() {
    static SizeClasses* classes = new SizeClasses;
    return *classes;
}

}  // namespace

void* AllocateStringBuffer(std::size_t bytes) {
    return bytes <= kLargest ? Classes().For(bytes).Alloc() : ::operator new(bytes);
}

void FreeStringBuffer(void* buffer, std::size_t bytes) noexcept {
    if (bytes <= kLargest)
        Classes().For(bytes).Free(buffer);
    else
        ::operator delete(buffer);
}

#else

void* AllocateStringBuffer(std::size_t bytes) { return ::operator new(bytes); }
void FreeStringBuffer(void* buffer, std::size_t) noexcept { ::operator delete(buffer); }

#endif

}  // namespace afx
