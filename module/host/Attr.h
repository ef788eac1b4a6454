#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "module/host/SourceSpan.h"

class Element;

// One attribute of an element as the page writes it. The name and value are read from the page's
// text through the owner element; `cooked` strings hold them only where the text differs (a name
// written in upper case, a value with character references).
class Attr {
public:
    static constexpr std::uint32_t NO_STRING = 0xFFFFFFFFu;

    Attr() = default;
    // Host side: `cookedName`/`cookedValue` index the document's string pool, or NO_STRING when the
    // page's text at `name`/`value` reads as it is.
    Attr(Element* owner, SourceSpan name, SourceSpan value, std::uint32_t cookedName,
         std::uint32_t cookedValue, char quote, bool hasValue)
        : owner_(owner), name_(name), value_(value), cookedName_(cookedName),
          cookedValue_(cookedValue), quote_(quote), hasValue_(hasValue) {}

    Element* getOwnerElement() const { return owner_; }
    std::u16string getName() const;   // ASCII lower case
    std::u16string getValue() const;  // character references resolved

    // Host side: where the attribute stands in the source.
    SourceSpan nameSpan() const { return name_; }
    SourceSpan valueSpan() const { return value_; }
    // From the name to the end of the value, closing quote included.
    SourceSpan wholeSpan() const;
    char quote() const { return quote_; }
    bool hasValue() const { return hasValue_; }
    // Edits: a set value, or an attribute that a set added (it has no place in the source yet).
    bool isEdited() const { return edited_; }
    bool isInserted() const { return inserted_; }
    // A removed attribute stays in its element's list, so the tag can be written anew around it.
    bool isRemoved() const { return removed_; }
    void markRemoved() { removed_ = true; }
    void setValue(std::uint32_t cookedValue) { cookedValue_ = cookedValue; hasValue_ = true; edited_ = true; }
    static Attr inserted(Element* owner, std::uint32_t cookedName, std::uint32_t cookedValue) {
        Attr a(owner, {}, {}, cookedName, cookedValue, '"', true);
        a.edited_ = a.inserted_ = true;
        return a;
    }
    // Views into the document, valid while it lives.
    std::string_view nameUtf8() const;
    std::string_view valueUtf8() const;

private:
    Element* owner_ = nullptr;
    SourceSpan name_;
    SourceSpan value_;
    std::uint32_t cookedName_ = NO_STRING;
    std::uint32_t cookedValue_ = NO_STRING;
    char quote_ = 0;
    bool hasValue_ = false;
    bool edited_ = false;
    bool inserted_ = false;
    bool removed_ = false;
};
