#include "hostlibs/dom/DocumentStore.h"

#include <algorithm>

#include "hostlibs/dom/ElementTable.h"

namespace tarn::dom {

DocumentStore::DocumentStore(charset::DecodedPage page) : page_(std::move(page)) {
    if (page_.bomLength == 0 && page_.bytes == page_.text) {
        bytesAreText_ = true;
        page_.bytes = std::string();
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

std::uint32_t DocumentStore::addString(std::string_view s) {
    auto* bytes = static_cast<char*>(arena_.allocate(s.size() ? s.size() : 1, 1));
    std::copy(s.begin(), s.end(), bytes);
    strings_.emplace_back(bytes, s.size());
    return static_cast<std::uint32_t>(strings_.size() - 1);
}

std::string_view DocumentStore::read(std::uint32_t index, SourceSpan span) const {
    return index == Attr::NO_STRING ? slice(span) : strings_[index];
}

const ElementKind* DocumentStore::kindFor(std::string_view domName) {
    auto it = kinds_.find(domName);
    if (it == kinds_.end()) {
        std::string name(domName);
        it = kinds_.emplace(name, ElementKind{name, elementIdFor(domName)}).first;
    }
    return &it->second;
}

}  // namespace tarn::dom
