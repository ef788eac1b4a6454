#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "contracts/host/SourceSpan.h"

class Element;

// One attribute of an element as the page writes it. The name and value are read from the page's
// text through the owner element; the document's store holds them only where the text differs (a
// name written in upper case, shared by every attribute of that name, or a value with character
// references).
class Attr {
public:
    Attr() = default;

    Element* getOwnerElement() const { return owner_; }
    std::u16string getName() const;   // ASCII lower case
    std::u16string getValue() const;  // character references resolved

    // Host side: an attribute as the tokenizer read it, `name` lower case and `value` resolved.
    static Attr parsed(Element* owner, SourceSpan nameSpan, SourceSpan valueSpan, std::string_view name,
                       std::string_view value, char quote, bool hasValue);
    // An attribute that a set added (it has no place in the source yet).
    static Attr inserted(Element* owner, std::string_view lowerName, std::string_view value);

    // Where the attribute stands in the source.
    SourceSpan nameSpan() const { return name_; }
    SourceSpan valueSpan() const { return value_; }
    // From the name to the end of the value, closing quote included.
    SourceSpan wholeSpan() const;
    char quote() const { return quote_; }
    bool hasValue() const { return hasValue_; }
    // Edits: a set value, or an attribute that a set added.
    bool isEdited() const { return edited_; }
    bool isInserted() const { return inserted_; }
    // A removed attribute stays in its element's list, so the tag can be written anew around it.
    bool isRemoved() const { return removed_; }
    void markRemoved() { removed_ = true; }
    void setValue(std::string_view value);
    // Views into the document, valid while it lives.
    std::string_view nameUtf8() const;
    std::string_view valueUtf8() const;

private:
    using Ref = std::uint32_t;
    // Stores what differs from the text: the interned name, the value, or both as a pair.
    void cook(Ref name, const std::string_view* value);

    Element* owner_ = nullptr;
    SourceSpan name_;
    SourceSpan value_;
    Ref cooked_ = 0;
    char quote_ = 0;
    bool hasValue_ : 1 = false;
    bool edited_ : 1 = false;
    bool inserted_ : 1 = false;
    bool removed_ : 1 = false;
    bool nameCooked_ : 1 = false;
    bool valueCooked_ : 1 = false;
};
