#include "platform/afx/CFixedAlloc.h"

#include <algorithm>
#include <cstddef>

namespace {

// A block's header is followed by its objects. The first is aligned as the heap aligns anything, and an
// object's size is a multiple of its alignment, so the others are aligned too; each also holds a free-list
// link while it is free.
constexpr std::size_t kBlockHeader = alignof(std::max_align_t);
constexpr std::size_t SlotSize(std::size_t size) { return (size + alignof(void*) - 1) & ~(alignof(void*) - 1); }

}  // namespace

CFixedAlloc::CFixedAlloc(UINT nAllocSize, UINT nBlockSize)
    : m_nAllocSize(std::max<UINT>(nAllocSize, sizeof(CNode))), m_nBlockSize(std::max<UINT>(nBlockSize, 1)) {}

CFixedAlloc::~CFixedAlloc() { FreeAll(); }

void* CFixedAlloc::Alloc() {
    std::lock_guard lock(m_protect);
    if (m_pNodeFree == nullptr) {
        const std::size_t size = SlotSize(m_nAllocSize);
        auto* block = static_cast<CBlock*>(::operator new(kBlockHeader + size * m_nBlockSize));
        block->pNext = m_pBlocks;
        m_pBlocks = block;
        // The objects go on the free list last first, so that they are handed out in address order.
        auto* first = reinterpret_cast<std::byte*>(block) + kBlockHeader;
        for (UINT i = m_nBlockSize; i-- > 0;) {
            auto* node = reinterpret_cast<CNode*>(first + i * size);
            node->pNext = m_pNodeFree;
            m_pNodeFree = node;
        }
    }
    CNode* node = m_pNodeFree;
    m_pNodeFree = node->pNext;
    return node;
}

void CFixedAlloc::Free(void* p) {
    if (p == nullptr)
        return;
    std::lock_guard lock(m_protect);
    auto* node = static_cast<CNode*>(p);
    node->pNext = m_pNodeFree;
    m_pNodeFree = node;
}

void CFixedAlloc::FreeAll() {
    std::lock_guard lock(m_protect);
    while (m_pBlocks != nullptr) {
        CBlock* next = m_pBlocks->pNext;
        ::operator delete(m_pBlocks);
        m_pBlocks = next;
    }
    m_pNodeFree = nullptr;
}
