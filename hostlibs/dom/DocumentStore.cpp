#include "hostlibs/dom/DocumentStore.h"

#include <algorithm>
#include <cstring>

#include "hostlibs/dom/ElementTable.h"

namespace tarn::dom {

DocumentStore::DocumentStore(charset::DecodedPage page) : page_(std::move(page)) {
    if (page_.bomLength == 0 && page_.bytes == page_.text) {
        bytesAreText_ = true;
        // Assigning an empty string would keep the capacity, a whole copy of the page.
        std::string().swap(page_.bytes);
    }
}

std::unique_ptr<DocumentStore> DocumentStore::fromText(std::string text) {
    charset::DecodedPage page;
    page.text = std::move(text);
    page.encoding = "UTF-8";
    page.lineEnding = charset::dominantLineEnding(page.text);
    auto store = std::make_unique<DocumentStore>(std::move(page));
    store->bytesAreText_ = true;
    return store;
}

// A string is its length, then its bytes; a pair is a name's reference, then a string.
Arena::Ref DocumentStore::addString(std::string_view s) {
    const auto length = static_cast<std::uint32_t>(s.size());
    const Arena::Placed placed = arena_.place(sizeof length + s.size());
    auto* bytes = static_cast<char*>(placed.at);
    std::memcpy(bytes, &length, sizeof length);
    std::copy(s.begin(), s.end(), bytes + sizeof length);
    return placed.ref;
}

std::string_view DocumentStore::string(Arena::Ref ref) const {
    const auto* bytes = static_cast<const char*>(arena_.at(ref));
    std::uint32_t length;
    std::memcpy(&length, bytes, sizeof length);
    return {bytes + sizeof length, length};
}

Arena::Ref DocumentStore::internName(std::string_view name) {
    auto it = names_.find(name);
    if (it == names_.end())
        it = names_.emplace(std::string(name), addString(name)).first;
    return it->second;
}

Arena::Ref DocumentStore::addPair(Arena::Ref name, std::string_view s) {
    const auto length = static_cast<std::uint32_t>(s.size());
    const Arena::Placed placed = arena_.place(sizeof name + sizeof length + s.size());
    auto* bytes = static_cast<char*>(placed.at);
    std::memcpy(bytes, &name, sizeof name);
    std::memcpy(bytes + sizeof name, &length, sizeof length);
    std::copy(s.begin(), s.end(), bytes + sizeof name + sizeof length);
    return placed.ref;
}

Arena::Ref DocumentStore::pairFirst(Arena::Ref pair) const {
    Arena::Ref name;
    std::memcpy(&name, arena_.at(pair), sizeof name);
    return name;
}

std::string_view DocumentStore::pairSecond(Arena::Ref pair) const {
    const auto* bytes = static_cast<const char*>(arena_.at(pair)) + sizeof(Arena::Ref);
    std::uint32_t length;
    std::memcpy(&length, bytes, sizeof length);
    return {bytes + sizeof length, length};
}

SourcePosition DocumentStore::positionOf(std::uint32_t offset) const {
    std::call_once(positionsTaken_, [this] { positions_ = std::make_unique<SourcePositions>(text()); });
    return positions_->at(offset);
}

std::uint32_t DocumentStore::kindFor(std::string_view domName) {
    auto it = kindsByName_.find(domName);
    if (it == kindsByName_.end()) {
        const auto index = static_cast<std::uint32_t>(kinds_.size());
        std::string name(domName);
        it = kindsByName_.emplace(name, NumberedKind{ElementKind{name, elementIdFor(domName)}, index}).first;
        kinds_.push_back(&it->second.kind);
    }
    return it->second.index;
}

}  // namespace tarn::dom
