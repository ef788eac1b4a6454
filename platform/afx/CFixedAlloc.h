#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/win/WinTypes.h"

#include <cstddef>
#include <mutex>
#include <new>

// Memory for many objects of one size, as the framework gives its classes with DECLARE_FIXED_ALLOC: blocks of
// nBlockSize objects each, a list of the free ones, and no heap block (with its header and rounding) per
// object. Freed objects are kept for the next ones; the blocks go back to the heap with FreeAll or the
// allocator's end. Safe from any thread.
class AFX_API CFixedAlloc {
public:
    explicit CFixedAlloc(UINT nAllocSize, UINT nBlockSize = 64);
    CFixedAlloc(const CFixedAlloc&) = delete;
    CFixedAlloc& operator=(const CFixedAlloc&) = delete;
    ~CFixedAlloc();

    UINT GetAllocSize() const { return m_nAllocSize; }
    void* Alloc();
    void Free(void* p);
    // Releases every block; only when no object from them is alive.
    void FreeAll();

private:
    struct CNode {
        CNode* pNext;
    };
    struct CBlock {
        CBlock* pNext;
    };

    UINT m_nAllocSize;
    UINT m_nBlockSize;
    CBlock* m_pBlocks = nullptr;
    CNode* m_pNodeFree = nullptr;
    std::mutex m_protect;
};

// Under a sanitizer every object keeps a heap block of its own, so that a use after free is still caught, as
// the framework's debug builds do.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define AFX_FIXED_ALLOC_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define AFX_FIXED_ALLOC_HEAP 1
#endif
#endif

#ifndef AFX_FIXED_ALLOC_HEAP
// Objects of a class that declares it (and not of a larger derived class) come from the class's allocator.
#define DECLARE_FIXED_ALLOC(class_name)                                                    \
public:                                                                                    \
    static void* operator new(std::size_t size) {                                         \
        return size == s_alloc.GetAllocSize() ? s_alloc.Alloc() : ::operator new(size);    \
    }                                                                                      \
    static void operator delete(void* p, std::size_t size) {                               \
        if (size == s_alloc.GetAllocSize())                                                \
            s_alloc.Free(p);                                                               \
        else                                                                               \
            ::operator delete(p);                                                          \
    }                                                                                      \
                                                                                           \
protected:                                                                                 \
    static CFixedAlloc s_alloc;
#define IMPLEMENT_FIXED_ALLOC(class_name, block_size) \
    CFixedAlloc class_name::s_alloc(sizeof(class_name), block_size);
#else
#define DECLARE_FIXED_ALLOC(class_name)
#define IMPLEMENT_FIXED_ALLOC(class_name, block_size)
#endif
