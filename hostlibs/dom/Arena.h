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
// Every block starts at a multiple of 4 MiB with a header that names the arena's owner, so whatever
// the arena holds finds its owner from its own address (ownerOf) and need not store a pointer to it.
class Arena {
public:
    using Ref = std::uint32_t;
    static constexpr Ref NONE = 0;

    struct Placed {
        void* at;
        Ref ref;
    };

    Arena() = default;
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;

    // Names `owner` in every block, those to come too.
    void setOwner(void* owner);
    // The owner of the arena that placed `p`, an address that place() gave.
    static void* ownerOf(const void* p) { return headerOf(p)->owner; }

    // `size` bytes aligned for anything the document stores (8 bytes).
    Placed place(std::size_t size) {
        std::size_t at = (used_ + kStep - 1) & ~(kStep - 1);
        if (blocks_.empty() || at + size > blocks_.back().size || at >= kReach) {
            grow(size);
            at = kHeaderSize;
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
    static Ref refOf(const void* p) {
        const Header* header = headerOf(p);
        const auto offset = reinterpret_cast<std::uintptr_t>(p) - reinterpret_cast<std::uintptr_t>(header);
        return ((header->block << kOffsetBits) | static_cast<Ref>(offset / kStep)) + 1;
    }

private:
    static constexpr std::size_t kStep = 8;
    static constexpr unsigned kOffsetBits = 19;
    static constexpr Ref kOffsetMask = (Ref(1) << kOffsetBits) - 1;
    static constexpr std::size_t kReach = std::size_t(kOffsetMask + 1) * kStep;  // 4 MiB, a block's alignment
    // The last reference values stay free for the callers' own marks.
    static constexpr std::size_t kMaxBlocks = (std::size_t(1) << (32 - kOffsetBits)) - 1;

    struct Header {
        void* owner;
        Ref block;
    };
    static constexpr std::size_t kHeaderSize = (sizeof(Header) + kStep - 1) & ~(kStep - 1);
    // Nothing is placed at or beyond kReach in a block, so the block's start is the address rounded down.
    static const Header* headerOf(const void* p) {
        return reinterpret_cast<const Header*>(reinterpret_cast<std::uintptr_t>(p) & ~(kReach - 1));
    }

    struct Release {
        void operator()(std::byte* bytes) const;
    };
    struct Block {
        std::unique_ptr<std::byte[], Release> bytes;
        std::size_t size;
    };

    void grow(std::size_t atLeast);

    std::vector<Block> blocks_;
    void* owner_ = nullptr;
    std::size_t held_ = 0;
    std::size_t used_ = 0;
};

}  // namespace tarn::dom
