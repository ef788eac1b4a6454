#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "module/host/Attr.h"
#include "module/host/Node.h"
#include "module/host/SourceSpan.h"

// Text, comments and the doctype: nodes whose data is a piece of the page's text, or a string of
// the document's pool where the data differs from the text (character references). Text that
// differs only by its CR LF or CR line breaks is read from the page, the breaks read as LF, so a
// page with Windows line endings costs no copy of its text.
class CharacterData : public Node {
public:
    CharacterData(Document* home, SourceSpan span, std::uint32_t cooked, bool lineBreaks)
        : Node(home), lineBreaks_(lineBreaks), cooked_(cooked), span_(span) {}

    std::u16string getData() const;
    std::string dataUtf8() const;
    SourceSpan sourceSpan() const { return span_; }

private:
    // The small members first: they fill the tail of Node.
    bool lineBreaks_;
    std::uint32_t cooked_;
    SourceSpan span_;
};

class Text : public CharacterData {
public:
    using CharacterData::CharacterData;
    unsigned short getNodeType() const override { return TEXT_NODE; }
};

class Comment : public CharacterData {
public:
    using CharacterData::CharacterData;
    unsigned short getNodeType() const override { return COMMENT_NODE; }
};

// Its data is the doctype's name.
class DocumentType : public CharacterData {
public:
    using CharacterData::CharacterData;
    unsigned short getNodeType() const override { return DOCUMENT_TYPE_NODE; }
};
