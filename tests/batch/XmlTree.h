#pragma once
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarn::test {

// An XML document read with expat, as a tree of elements, for checking a report.
struct XmlElement {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
    std::vector<std::unique_ptr<XmlElement>> children;

    std::vector<const XmlElement*> all(const std::string& childName) const;
    const XmlElement* first(const std::string& childName) const;
};

// The root element; none when the text is not well-formed XML.
std::unique_ptr<XmlElement> parseXml(const std::string& text);

}  // namespace tarn::test
