#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "hostlibs/dom/Arena.h"
#include "hostlibs/dom/NameMap.h"
#include "hostlibs/dom/SourcePositions.h"
#include "hostlibs/dom/charset/DecodedPage.h"
#include "contracts/host/Element.h"

namespace tarn::dom {

// Everything a document owns besides its tree links: the page as read and as text, the arena its
// nodes live in, the strings that differ from the text, and the element kinds met in the page.
class DocumentStore {
public:
    explicit DocumentStore(charset::DecodedPage page);
    // A page given as UTF-8 text, which is also its bytes.
    static std::unique_ptr<DocumentStore> fromText(std::string text);

    std::string_view text() const { return page_.text; }
    std::string_view slice(SourceSpan span) const { return text().substr(span.begin, span.size()); }
    // The page's bytes as read, for writing it back.
    std::string_view originalBytes() const { return bytesAreText_ ? std::string_view(page_.text) : page_.bytes; }
    const charset::DecodedPage& page() const { return page_; }
    // The bytes of originalBytes() that hold the text [textBegin, textEnd), shift sequences of a
    // stateful encoding included.
    charset::ByteSpan originalSpan(std::size_t textBegin, std::size_t textEnd) const {
        return bytesAreText_ ? charset::ByteSpan{textBegin, textEnd} : page_.originalSpan(textBegin, textEnd);
    }

    // Nodes are never destroyed one by one: the arena is released with the document. Node types
    // own nothing outside the arena, so skipping their destructors leaks nothing.
    template <class T, class... Args>
    T* make(Args&&... args) {
        return new (arena_.place(sizeof(T)).at) T(std::forward<Args>(args)...);
    }
    // A T followed by `room` bytes of its own.
    template <class T, class... Args>
    T* makeWithRoom(std::size_t room, Args&&... args) {
        return new (arena_.place(sizeof(T) + room).at) T(std::forward<Args>(args)...);
    }
    template <class T>
    T* makeArray(std::size_t count) {
        return new (arena_.place(sizeof(T) * count).at) T[count]();
    }
    const Arena& arena() const { return arena_; }
    // The document the nodes belong to: every block of the arena names it.
    void setOwner(Document* document) { arena_.setOwner(document); }

    // Strings live in the arena too, named by the arena's references: a page with a reference in
    // every link text pays its bytes and a length, not a heap block each.
    Arena::Ref addString(std::string_view s);
    std::string_view string(Arena::Ref ref) const;
    // The string at `ref` if there is one, else the text at `span`.
    std::string_view read(Arena::Ref ref, SourceSpan span) const { return ref ? string(ref) : slice(span); }
    // One string per distinct name, however many attributes carry it.
    Arena::Ref internName(std::string_view name);
    // A name's reference and a string, kept together.
    Arena::Ref addPair(Arena::Ref name, std::string_view s);
    Arena::Ref pairFirst(Arena::Ref pair) const;
    std::string_view pairSecond(Arena::Ref pair) const;

    // One shared ElementKind per DOM tag name, numbered by the element table; elements name it by
    // its index here.
    std::uint32_t kindFor(std::string_view domName);
    const ElementKind& kind(std::uint32_t index) const { return *kinds_[index]; }

    // Line and column of an offset of the text; the checkpoints are taken on the first question.
    SourcePosition positionOf(std::uint32_t offset) const;

private:
    charset::DecodedPage page_;
    bool bytesAreText_ = false;  // a UTF-8 page without BOM keeps its bytes once
    Arena arena_;
    struct NumberedKind {
        ElementKind kind;
        std::uint32_t index;
    };
    NameMap<NumberedKind> kindsByName_;
    std::vector<const ElementKind*> kinds_;
    NameMap<Arena::Ref> names_;
    mutable std::once_flag positionsTaken_;
    mutable std::unique_ptr<SourcePositions> positions_;
};

}  // namespace tarn::dom
