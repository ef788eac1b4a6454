#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "module/host/Attr.h"
#include "module/host/Node.h"
#include "module/host/SourceSpan.h"

// What the document library knows of a tag name: its DOM spelling and its element ID.
struct ElementKind {
    std::string name;       // as the DOM reports it: upper case for HTML elements
    int elementId = 0;      // 0 for kinds without a number
};

enum class ElementNamespace : std::uint8_t { Html, Svg, MathMl };

class Element : public Node {
public:
    Element(Document* home, const ElementKind* kind, ElementNamespace ns)
        : Node(home), ns_(ns), kind_(kind) {}

    unsigned short getNodeType() const override { return ELEMENT_NODE; }

    // The kind of element, numbered by the document library (0: not numbered).
    int getElementID() const { return kind_->elementId; }
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
    const ElementKind& kind() const { return *kind_; }
    ElementNamespace elementNamespace() const { return ns_; }
    // Every attribute as written, removed ones included (see Attr::isRemoved), then added ones.
    std::span<Attr> attributes() const { return {attrs_, attrCount_}; }
    void setAttributes(Attr* attrs, std::uint32_t count) { attrs_ = attrs; attrCount_ = count; }
    const Attr* findAttribute(std::string_view lowerName) const;

    // Source positions. An element the parser implied (html, head, body) has no tags of its own:
    // both tag spans are empty at the place it was implied.
    SourceSpan startTagSpan() const { return startTag_; }
    SourceSpan endTagSpan() const { return endTag_; }
    SourceSpan extent() const { return {startTag_.begin, extentEnd_}; }
    bool isImplied() const { return implied_; }
    bool hasEndTag() const { return !endTag_.empty(); }
    // Its attributes were edited: the start tag is written anew.
    bool isTagEdited() const { return tagEdited_; }
    std::uint32_t line() const { return line_; }      // 1-based, of the start tag
    std::uint32_t column() const { return column_; }  // 1-based, in characters

    void setStartTag(SourceSpan span, std::uint32_t line, std::uint32_t column, bool implied) {
        startTag_ = span; extentEnd_ = span.end; line_ = line; column_ = column; implied_ = implied;
    }
    // Closes the element at `end`, by its own end tag when `endTag` is not empty.
    void close(std::uint32_t end, SourceSpan endTag) { extentEnd_ = end; endTag_ = endTag; }

private:
    void noteEdit(std::string_view lowerName);

    // The small members first: they fill the tail of Node, which keeps big pages small.
    ElementNamespace ns_;
    bool implied_ = false;
    bool tagEdited_ = false;
    std::uint32_t attrCount_ = 0;
    const ElementKind* kind_;
    Attr* attrs_ = nullptr;
    SourceSpan startTag_;
    SourceSpan endTag_;
    std::uint32_t extentEnd_ = 0;
    std::uint32_t line_ = 0;
    std::uint32_t column_ = 0;
};
