#include "hostlibs/dom/Arena.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace tarn::dom {

void Arena::Release::operator()(std::byte* bytes) const {
    ::operator delete(bytes, std::align_val_t{kReach});
}

void Arena::setOwner(void* owner) {
    owner_ = owner;
    for (Block& block : blocks_)
        reinterpret_cast<Header*>(block.bytes.get())->owner = owner;
}

void Arena::grow(std::size_t atLeast) {
    if (blocks_.size() >= kMaxBlocks)
        throw std::length_error("the page is too large to be held as a document");
    std::size_t size = std::clamp<std::size_t>(held_ / 8, 64 * 1024, kReach);
    size = std::max(size, atLeast + kHeaderSize);
    // Aligned far beyond its size, a small block costs address space, not memory: the pages past
    // what is used are never touched.
    std::unique_ptr<std::byte[], Release> bytes(static_cast<std::byte*>(::operator new(size, std::align_val_t{kReach})));
    new (bytes.get()) Header{owner_, static_cast<Ref>(blocks_.size())};
    blocks_.push_back({std::move(bytes), size});
    held_ += size;
}

}  // namespace tarn::dom
