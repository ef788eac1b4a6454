#pragma once
#include <cstdint>
#include <deque>
#include <new>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "hostlibs/dom/Arena.h"
#include "module/host/Element.h"

namespace tarn::dom {

// Everything a document owns besides its tree links: the page's text, the arena its nodes live
// in, the strings that differ from the text, and the element kinds met in the page.
class DocumentStore {
public:
    explicit DocumentStore(std::string text);

    std::string_view text() const { return text_; }
    std::string_view slice(SourceSpan span) const { return std::string_view(text_).substr(span.begin, span.size()); }

    // Nodes are never destroyed one by one: the arena is released with the document. Node types
    // own nothing outside the arena, so skipping their destructors leaks nothing.
    template <class T, class... Args>
    T* make(Args&&... args) {
        return new (arena_.allocate(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
    }
    template <class T>
    T* makeArray(std::size_t count) {
        return new (arena_.allocate(sizeof(T) * count, alignof(T))) T[count]();
    }

    // Strings live in the arena too: a page with a reference in every link text pays its bytes
    // and a view, not a heap block each.
    std::uint32_t addString(std::string_view s);
    // The string at `index` if there is one, else the text at `span`.
    std::string_view read(std::uint32_t index, SourceSpan span) const;

    // One shared ElementKind per DOM tag name, numbered by the element table.
    const ElementKind* kindFor(std::string_view domName);

private:
    std::string text_;
    Arena arena_;
    std::deque<std::string_view> strings_;
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, ElementKind, NameHash, std::equal_to<>> kinds_;
};

}  // namespace tarn::dom
