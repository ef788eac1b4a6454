#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "contracts/host/Attr.h"
#include "contracts/host/Node.h"
#include "contracts/host/SourceSpan.h"

// What the document library knows of a tag name: its DOM spelling and its element ID.
struct ElementKind {
    std::string name;       // as the DOM reports it: upper case for HTML elements
    int elementId = 0;      // 0 for kinds without a number
};

enum class ElementNamespace : std::uint8_t { Html, Svg, MathMl };

class Element : public Node {
public:
    // `kind` is the document's number for its ElementKind.
    Element(std::uint32_t kind, ElementNamespace ns) : Node(ELEMENT_NODE), kind_(kind) {
        setFlagBits(NAMESPACE, NAMESPACE_SHIFT, static_cast<std::uint8_t>(ns));
    }

    // The kind of element, numbered by the document library (0: not numbered).
    int getElementID() const { return kind().elementId; }
    std::u16string getTagName() const;
    // Names match ASCII-case-insensitively; of duplicates the first answers. Absent: empty / null.
    std::u16string getAttribute(const std::u16string& name) const;
    Attr* getAttributeNode(const std::u16string& name) const;
    // The element the editor associated with this one: the element whose id the ATV attribute names.
    Element* getATV() const;
    // Edits of the start tag, written back when the page is saved. A set changes the attribute
    // that getAttribute answers, or adds one at the end of the tag; a remove removes every
    // attribute of that name. Attr pointers of the element are not kept across edits.
    void setAttribute(const std::u16string& name, const std::u16string& value);
    void removeAttribute(const std::u16string& name);

    // Host side.
    const ElementKind& kind() const;
    ElementNamespace elementNamespace() const {
        return static_cast<ElementNamespace>(flagBits(NAMESPACE, NAMESPACE_SHIFT));
    }
    // Every attribute as written, removed ones included (see Attr::isRemoved), then added ones.
    std::span<Attr> attributes() const;
    // `attrs` are `count` attributes the document's store made.
    void setAttributes(Attr* attrs, std::uint32_t count);
    const Attr* findAttribute(std::string_view lowerName) const;

    // Source positions. An element the parser implied (html, head, body) has no tags of its own:
    // both tag spans are empty at the place it was implied.
    SourceSpan startTagSpan() const { return startTag_; }
    SourceSpan endTagSpan() const { return hasEndTag() ? SourceSpan{endTagBegin_, extentEnd_} : SourceSpan{}; }
    SourceSpan extent() const { return {startTag_.begin, extentEnd_}; }
    bool isImplied() const { return hasFlag(IMPLIED); }
    bool hasEndTag() const { return hasFlag(HAS_END_TAG); }
    // Its attributes were edited: the start tag is written anew.
    bool isTagEdited() const { return hasFlag(TAG_EDITED); }
    // Where the start tag begins (or, implied, where what implied it begins): 1-based, the column in
    // characters. Worked out from the page's text when asked, since few elements are ever asked.
    std::uint32_t line() const;
    std::uint32_t column() const;

    void setStartTag(SourceSpan span, bool implied) {
        startTag_ = span; extentEnd_ = span.end; setFlag(IMPLIED, implied);
    }
    // Closes the element at `end` by implication, or with its own end tag, which ends its extent.
    void close(std::uint32_t end) { extentEnd_ = end; setFlag(HAS_END_TAG, false); }
    void close(SourceSpan endTag) { endTagBegin_ = endTag.begin; extentEnd_ = endTag.end; setFlag(HAS_END_TAG, true); }

private:
    void noteEdit(std::string_view lowerName);

    friend class Node;
    // The element's flags, in the node's flags byte: big pages stay small.
    enum : std::uint8_t {
        IMPLIED = FIRST_CLASS_FLAG,
        TAG_EDITED = FIRST_CLASS_FLAG << 1,
        HAS_END_TAG = FIRST_CLASS_FLAG << 2,
        NAMESPACE = FIRST_CLASS_FLAG << 3 | FIRST_CLASS_FLAG << 4,
    };
    static constexpr unsigned NAMESPACE_SHIFT = 4;

    std::uint32_t first_ = 0;  // the first child
    std::uint32_t kind_;
    std::uint32_t attrCount_ = 0;
    std::uint32_t attrs_ = 0;  // the arena's reference of the first attribute
    SourceSpan startTag_;
    std::uint32_t endTagBegin_ = 0;  // the end tag ends at extentEnd_
    std::uint32_t extentEnd_ = 0;
};
