#include "hostlibs/dom/Arena.h"

#include <algorithm>
#include <stdexcept>

namespace tarn::dom {

void Arena::grow(std::size_t atLeast) {
    if (blocks_.size() >= kMaxBlocks)
        throw std::length_error("the page is too large to be held as a document");
    std::size_t size = std::clamp<std::size_t>(held_ / 8, 64 * 1024, 4 * 1024 * 1024);
    size = std::max(size, atLeast);
    blocks_.push_back({std::make_unique_for_overwrite<std::byte[]>(size), size});
    held_ += size;
    used_ = 0;
    const Start start{reinterpret_cast<std::uintptr_t>(blocks_.back().bytes.get()),
                      static_cast<Ref>(blocks_.size() - 1)};
    byAddress_.insert(std::upper_bound(byAddress_.begin(), byAddress_.end(), start,
                                       [](const Start& a, const Start& b) { return a.address < b.address; }),
                      start);
}

Arena::Ref Arena::refOf(const void* p) const {
    const auto address = reinterpret_cast<std::uintptr_t>(p);
    auto refIn = [&](Ref block) {
        const auto base = reinterpret_cast<std::uintptr_t>(blocks_[block].bytes.get());
        return ((block << kOffsetBits) | static_cast<Ref>((address - base) / kStep)) + 1;
    };
    // The parser links what it has just made: the newest block first.
    const auto newest = static_cast<Ref>(blocks_.size() - 1);
    const auto newestBase = reinterpret_cast<std::uintptr_t>(blocks_[newest].bytes.get());
    if (address >= newestBase && address < newestBase + blocks_[newest].size)
        return refIn(newest);
    auto it = std::upper_bound(byAddress_.begin(), byAddress_.end(), address,
                               [](std::uintptr_t a, const Start& s) { return a < s.address; });
    return refIn(std::prev(it)->block);
}

}  // namespace tarn::dom
