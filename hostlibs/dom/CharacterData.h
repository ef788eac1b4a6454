#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "contracts/host/Node.h"
#include "contracts/host/SourceSpan.h"

// Text, comments and the doctype: nodes whose data is a piece of the page's text, or a string of
// the document's store where the data differs from the text (character references). Text that
// differs only by its CR LF or CR line breaks is read from the page, the breaks read as LF, so a
// page with Windows line endings costs no copy of its text.
class CharacterData : public Node {
public:
    std::u16string getData() const;
    std::string dataUtf8() const;
    SourceSpan sourceSpan() const { return span_; }

    static bool holds(const Node* n) {
        return n->getNodeType() == TEXT_NODE || n->getNodeType() == COMMENT_NODE ||
               n->getNodeType() == DOCUMENT_TYPE_NODE;
    }

    // The room a node needs after itself: the store's reference of its data follows the node when the
    // data differs from the text. Most text reads as it is, and its nodes do without those bytes.
    static constexpr std::size_t roomAfter(std::uint32_t cooked) { return cooked ? sizeof cooked : 0; }

protected:
    // `cooked` is the store's reference of the data, or 0 when the text at `span` reads as it is; the node
    // must have been placed with roomAfter(cooked) bytes after it.
    CharacterData(unsigned short type, SourceSpan span, std::uint32_t cooked, bool lineBreaks)
        : Node(type), span_(span) {
        setFlag(LINE_BREAKS, lineBreaks);
        setFlag(COOKED, cooked != 0);
        if (cooked)
            std::memcpy(reinterpret_cast<std::byte*>(this) + sizeof(CharacterData), &cooked, sizeof cooked);
    }

private:
    enum : std::uint8_t { LINE_BREAKS = FIRST_CLASS_FLAG, COOKED = FIRST_CLASS_FLAG << 1 };
    std::uint32_t cooked() const;

    SourceSpan span_;
};

class Text : public CharacterData {
public:
    Text(SourceSpan span, std::uint32_t cooked, bool lineBreaks)
        : CharacterData(TEXT_NODE, span, cooked, lineBreaks) {}
};

class Comment : public CharacterData {
public:
    Comment(SourceSpan span, std::uint32_t cooked)
        : CharacterData(COMMENT_NODE, span, cooked, false) {}
};

// Its data is the doctype's name.
class DocumentType : public CharacterData {
public:
    DocumentType(SourceSpan span, std::uint32_t cooked)
        : CharacterData(DOCUMENT_TYPE_NODE, span, cooked, false) {}
};
