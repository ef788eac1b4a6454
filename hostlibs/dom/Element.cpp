#include "module/host/Element.h"

#include <algorithm>

#include "hostlibs/dom/DocumentStore.h"
#include "hostlibs/dom/charset/AsciiText.h"
#include "module/host/Document.h"
#include "platform/afx/Utf8.h"

namespace {

// Attribute names are stored lower case; a query matches ASCII-case-insensitively.
std::string lowerUtf8(const std::u16string& name) {
    return tarn::charset::toAsciiLower(afx::EncodeUtf8(name));
}

}  // namespace

std::u16string Element::getTagName() const {
    return afx::DecodeUtf8(kind_->name);
}

const Attr* Element::findAttribute(std::string_view lowerName) const {
    for (const Attr& a : attributes())
        if (!a.isRemoved() && a.nameUtf8() == lowerName)
            return &a;
    return nullptr;
}

void Element::setAttribute(const std::u16string& name, const std::u16string& value) {
    auto& store = homeDocument()->store();
    const std::string lower = lowerUtf8(name);
    const std::uint32_t cooked = store.addString(afx::EncodeUtf8(value));
    if (Attr* a = const_cast<Attr*>(findAttribute(lower))) {
        a->setValue(cooked);
    } else {
        Attr* grown = store.makeArray<Attr>(attrCount_ + 1);
        std::copy(attrs_, attrs_ + attrCount_, grown);
        grown[attrCount_] = Attr::inserted(this, store.addString(lower), cooked);
        attrs_ = grown;
        ++attrCount_;
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
    if (!tagEdited_) {
        tagEdited_ = true;
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
