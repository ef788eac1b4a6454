#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace tarn::dom {

// A bump allocator that frees everything at once. Each new block is an eighth of what is held so
// far (64 KiB to 4 MiB), so at most about an eighth of a document's memory is ever unused, where
// doubling blocks can leave half of it so.
//
// What it holds is named by 32-bit references rather than pointers, which halves the links of a
// tree: a block number and an offset in 8-byte steps, so a reference reaches 8191 blocks of 4 MiB.
class Arena {
public:
    using Ref = std::uint32_t;
    static constexpr Ref NONE = 0;

    struct Placed {
        void* at;
        Ref ref;
    };

    // `size` bytes aligned for anything the document stores (8 bytes).
    Placed place(std::size_t size) {
        std::size_t at = (used_ + kStep - 1) & ~(kStep - 1);
        if (blocks_.empty() || at + size > blocks_.back().size || at >= kReach) {
            grow(size);
            at = 0;
        }
        used_ = at + size;
        const auto block = static_cast<Ref>(blocks_.size() - 1);
        return {blocks_.back().bytes.get() + at, ((block << kOffsetBits) | static_cast<Ref>(at / kStep)) + 1};
    }

    void* at(Ref ref) const {
        --ref;
        return blocks_[ref >> kOffsetBits].bytes.get() + static_cast<std::size_t>(ref & kOffsetMask) * kStep;
    }

    // The reference of an address that place() gave.
    Ref refOf(const void* p) const;

private:
    static constexpr std::size_t kStep = 8;
    static constexpr unsigned kOffsetBits = 19;
    static constexpr Ref kOffsetMask = (Ref(1) << kOffsetBits) - 1;
    static constexpr std::size_t kReach = std::size_t(kOffsetMask + 1) * kStep;  // 4 MiB
    // The last reference values stay free for the callers' own marks.
    static constexpr std::size_t kMaxBlocks = (std::size_t(1) << (32 - kOffsetBits)) - 1;

    struct Block {
        std::unique_ptr<std::byte[]> bytes;
        std::size_t size;
    };
    struct Start {
        std::uintptr_t address;
        Ref block;
    };

    void grow(std::size_t atLeast);

    std::vector<Block> blocks_;
    std::vector<Start> byAddress_;  // the blocks sorted by address, for refOf
    std::size_t held_ = 0;
    std::size_t used_ = 0;
};

}  // namespace tarn::dom
