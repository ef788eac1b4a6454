#include "tests/batch/XmlTree.h"

#include <expat.h>

namespace tarn::test {

std::vector<const XmlElement*> XmlElement::all(const std::string& childName) const {
    std::vector<const XmlElement*> found;
    for (const auto& child : children)
        if (child->name == childName)
            found.push_back(child.get());
    return found;
}

const XmlElement* XmlElement::first(const std::string& childName) const {
    for (const auto& child : children)
        if (child->name == childName)
            return child.get();
    return nullptr;
}

namespace {

struct Builder {
    std::unique_ptr<XmlElement> root;
    std::vector<XmlElement*> open;
};

void onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto& builder = *static_cast<Builder*>(data);
    auto element = std::make_unique<XmlElement>();
    element->name = name;
    for (int i = 0; attributes[i] != nullptr; i += 2)
        element->attributes[attributes[i]] = attributes[i + 1];
    XmlElement* raw = element.get();
    if (builder.open.empty())
        builder.root = std::move(element);
    else
        builder.open.back()->children.push_back(std::move(element));
    builder.open.push_back(raw);
}

void onEnd(void* data, const XML_Char*) { static_cast<Builder*>(data)->open.pop_back(); }

void onText(void* data, const XML_Char* text, int length) {
    auto& builder = *static_cast<Builder*>(data);
    if (!builder.open.empty())
        builder.open.back()->text.append(text, static_cast<std::size_t>(length));
}

}  // namespace

std::unique_ptr<XmlElement> parseXml(const std::string& text) {
    Builder builder;
    XML_Parser parser = XML_ParserCreate("UTF-8");
    XML_SetUserData(parser, &builder);
    XML_SetElementHandler(parser, onStart, onEnd);
    XML_SetCharacterDataHandler(parser, onText);
    const bool ok = XML_Parse(parser, text.data(), static_cast<int>(text.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return ok ? std::move(builder.root) : nullptr;
}

}  // namespace tarn::test
