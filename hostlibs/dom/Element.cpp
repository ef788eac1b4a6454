#include "module/host/Element.h"

#include "platform/afx/Utf8.h"
#include "module/host/Document.h"

namespace {

// Attribute names are stored lower case; a query matches ASCII-case-insensitively.
std::string lowerUtf8(const std::u16string& name) {
    std::string s = afx::EncodeUtf8(name);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
    return s;
}

}  // namespace

std::u16string Element::getTagName() const {
    return afx::DecodeUtf8(kind_->name);
}

const Attr* Element::findAttribute(std::string_view lowerName) const {
    for (const Attr& a : attributes())
        if (a.nameUtf8() == lowerName)
            return &a;
    return nullptr;
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
