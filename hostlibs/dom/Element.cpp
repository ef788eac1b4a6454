#include "contracts/host/Element.h"

#include <algorithm>

#include "hostlibs/dom/DocumentStore.h"
#include "hostlibs/dom/charset/AsciiText.h"
#include "contracts/host/Document.h"
#include "platform/win/Utf8.h"

namespace {

// Attribute names are stored lower case; a query matches ASCII-case-insensitively.
std::string lowerUtf8(const std::u16string& name) {
    return tarn::charset::toAsciiLower(win::EncodeUtf8(name));
}

}  // namespace

std::u16string Element::getTagName() const {
    return win::DecodeUtf8(kind().name);
}

std::uint32_t Element::line() const {
    return homeDocument()->positionOf(startTag_.begin).line;
}

std::uint32_t Element::column() const {
    return homeDocument()->positionOf(startTag_.begin).column;
}

const ElementKind& Element::kind() const {
    return homeDocument()->store().kind(kind_);
}

std::span<Attr> Element::attributes() const {
    if (!attrCount_)
        return {};
    return {static_cast<Attr*>(homeDocument()->store().arena().at(attrs_)), attrCount_};
}

void Element::setAttributes(Attr* attrs, std::uint32_t count) {
    attrs_ = count ? homeDocument()->store().arena().refOf(attrs) : 0;
    attrCount_ = count;
}

const Attr* Element::findAttribute(std::string_view lowerName) const {
    for (const Attr& a : attributes())
        if (!a.isRemoved() && a.nameUtf8() == lowerName)
            return &a;
    return nullptr;
}

void Element::setAttribute(const std::u16string& name, const std::u16string& value) {
    const std::string lower = lowerUtf8(name);
    const std::string utf8 = win::EncodeUtf8(value);
    if (Attr* a = const_cast<Attr*>(findAttribute(lower))) {
        a->setValue(utf8);
    } else {
        const std::span<Attr> old = attributes();
        Attr* grown = homeDocument()->store().makeArray<Attr>(old.size() + 1);
        std::copy(old.begin(), old.end(), grown);
        grown[old.size()] = Attr::inserted(this, lower, utf8);
        setAttributes(grown, attrCount_ + 1);
    }
    noteEdit(lower);
}

void Element::removeAttribute(const std::u16string& name) {
    const std::string lower = lowerUtf8(name);
    bool removed = false;
    for (Attr& a : attributes()) {
        if (!a.isRemoved() && a.nameUtf8() == lower) {
            a.markRemoved();
            removed = true;
        }
    }
    if (removed)
        noteEdit(lower);
}

void Element::noteEdit(std::string_view lowerName) {
    if (!isTagEdited()) {
        setFlag(TAG_EDITED, true);
        homeDocument()->noteTagEdited(this);
    }
    if (lowerName == "id")
        homeDocument()->forgetIds();
}

Attr* Element::getAttributeNode(const std::u16string& name) const {
    return const_cast<Attr*>(findAttribute(lowerUtf8(name)));
}

std::u16string Element::getAttribute(const std::u16string& name) const {
    const Attr* a = findAttribute(lowerUtf8(name));
    return a ? a->getValue() : std::u16string();
}

Element* Element::getATV() const {
    const Attr* a = findAttribute("atv");
    return a ? homeDocument()->getElementById(a->getValue()) : nullptr;
}
