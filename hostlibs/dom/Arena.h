#pragma once
#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

namespace tarn::dom {

// A bump allocator that frees everything at once. Each new block is an eighth of what is held so
// far (64 KiB to 4 MiB), so at most about an eighth of a document's memory is ever unused, where
// doubling blocks can leave half of it so.
class Arena {
public:
    void* allocate(std::size_t size, std::size_t align) {
        std::size_t at = (used_ + align - 1) & ~(align - 1);
        if (blocks_.empty() || at + size > capacity_) {
            grow(size + align);
            at = (used_ + align - 1) & ~(align - 1);
        }
        used_ = at + size;
        return blocks_.back().get() + at;
    }

private:
    void grow(std::size_t atLeast) {
        std::size_t size = std::clamp<std::size_t>(held_ / 8, 64 * 1024, 4 * 1024 * 1024);
        size = std::max(size, atLeast);
        blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
        held_ += size;
        capacity_ = size;
        used_ = 0;
    }

    std::vector<std::unique_ptr<std::byte[]>> blocks_;
    std::size_t held_ = 0;
    std::size_t capacity_ = 0;
    std::size_t used_ = 0;
};

}  // namespace tarn::dom
