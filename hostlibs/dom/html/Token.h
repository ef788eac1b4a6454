#pragma once
#include <optional>
#include <string>
#include <vector>

#include "contracts/host/SourceSpan.h"

namespace tarn::html {

// One attribute of a start or end tag, with where each part stands in the source.
struct AttributeToken {
    std::string name;        // ASCII lower-cased, UTF-8, U+0000 replaced by U+FFFD
    std::string value;       // character references resolved, UTF-8
    SourceSpan whole;        // first byte of the name to the last byte of the value (closing quote included)
    SourceSpan nameSpan;
    SourceSpan valueSpan;    // between the quotes; empty at nameSpan.end when there is no value
    char quote = 0;          // '"' or '\'' for quoted values, 0 for unquoted values and no value
    bool hasValue = false;   // an '=' was written
    bool duplicate = false;  // an earlier attribute of this tag has the same name
};

enum class TokenKind { Doctype, StartTag, EndTag, Comment, Characters, EndOfFile };

// The tokenizer fills one Token again and again; its vectors and strings keep their capacity.
struct Token {
    TokenKind kind = TokenKind::EndOfFile;
    SourceSpan span;         // the whole token: "<a href=x>", "</p>", "<!--c-->", a run of text
    std::string name;        // tag name (ASCII lower-cased) or doctype name
    SourceSpan nameSpan;     // tag name in the source
    std::vector<AttributeToken> attributes;  // all of them, duplicates included and marked
    bool selfClosing = false;
    std::string data;        // text of Characters (references resolved) and of Comment
    // Doctype only
    bool forceQuirks = false;
    bool hasName = false;
    std::optional<std::string> publicId;
    std::optional<std::string> systemId;
};

}  // namespace tarn::html
