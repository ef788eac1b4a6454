#include "hostlibs/dom/charset/MetaPrescan.h"

#include <algorithm>
#include <vector>

#include "hostlibs/dom/charset/AsciiText.h"
#include "hostlibs/dom/charset/EncodingLabels.h"

namespace tarn::charset {
namespace {

using namespace std::string_view_literals;

bool isLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool startsWithNoCase(std::string_view s, std::string_view lowerPrefix) {
    if (s.size() < lowerPrefix.size()) return false;
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
        if (toAsciiLower(s[i]) != lowerPrefix[i]) return false;
    }
    return true;
}

// "Getting an encoding" as the prescan applies it, the UTF-16 and x-user-defined rules included.
// nullptr is failure.
const Encoding* encodingOfLabel(std::string_view label) {
    if (trimAsciiWhitespace(label) == "x-user-defined"sv) return findEncoding("windows-1252");
    const Encoding* encoding = encodingByLabel(label);
    if (encoding != nullptr && (encoding->name == "UTF-16LE"sv || encoding->name == "UTF-16BE"sv)) {
        return findEncoding("UTF-8");
    }
    return encoding;
}

// The HTML standard's algorithm for extracting a character encoding from a meta element's content.
const Encoding* encodingInContent(std::string_view s) {
    std::size_t pos = 0;
    for (;;) {
        std::size_t found = std::string_view::npos;
        for (std::size_t i = pos; i + 7 <= s.size(); ++i) {
            if (startsWithNoCase(s.substr(i), "charset")) {
                found = i;
                break;
            }
        }
        if (found == std::string_view::npos) return nullptr;
        pos = found + 7;
        while (pos < s.size() && isAsciiWhitespace(static_cast<unsigned char>(s[pos]))) ++pos;
        if (pos >= s.size() || s[pos] != '=') continue;
        ++pos;
        while (pos < s.size() && isAsciiWhitespace(static_cast<unsigned char>(s[pos]))) ++pos;
        if (pos >= s.size()) return nullptr;
        const char c = s[pos];
        if (c == '"' || c == '\'') {
            const std::size_t close = s.find(c, pos + 1);
            if (close == std::string_view::npos) return nullptr;
            return encodingOfLabel(s.substr(pos + 1, close - pos - 1));
        }
        std::size_t end = pos;
        while (end < s.size() && s[end] != ';' && !isAsciiWhitespace(static_cast<unsigned char>(s[end]))) ++end;
        return encodingOfLabel(s.substr(pos, end - pos));
    }
}

struct Attribute {
    std::string name;
    std::string value;
};

// The scan over the first bytes. Running out of bytes anywhere ends it with nothing found.
class Prescan {
public:
    explicit Prescan(std::string_view bytes) : s_(bytes.substr(0, kPrescanLength)) {}

    const Encoding* run();

private:
    enum class Got { Attribute, Nothing, End };

    bool at(std::string_view prefix) const { return s_.substr(pos_, prefix.size()) == prefix; }
    bool atEnd() const { return pos_ >= s_.size(); }
    unsigned char byte() const { return static_cast<unsigned char>(s_[pos_]); }
    bool atMetaStart() const;
    bool atTagStart() const;
    void skipWhitespace() {
        while (!atEnd() && isAsciiWhitespace(byte())) ++pos_;
    }

    Got getAttribute(Attribute& attribute);
    Got readValue(Attribute& attribute);
    // A <meta>'s attributes, from the space or slash after its name: sets the encoding it declares,
    // if any; false when the bytes ran out first.
    bool meta(const Encoding*& declared);

    std::string_view s_;
    std::size_t pos_ = 0;
};

bool Prescan::atMetaStart() const {
    if (!startsWithNoCase(s_.substr(pos_), "<meta") || pos_ + 5 >= s_.size()) return false;
    const auto next = static_cast<unsigned char>(s_[pos_ + 5]);
    return isAsciiWhitespace(next) || next == '/';
}

bool Prescan::atTagStart() const {
    std::size_t i = pos_ + 1;
    if (i < s_.size() && s_[i] == '/') ++i;
    return i < s_.size() && isLetter(static_cast<unsigned char>(s_[i]));
}

const Encoding* Prescan::run() {
    if (s_.starts_with("<\0?\0x\0"sv)) return findEncoding("UTF-16LE");
    if (s_.starts_with("\0<\0?\0x"sv)) return findEncoding("UTF-16BE");
    for (; !atEnd(); ++pos_) {
        if (byte() != '<') continue;
        if (at("<!--")) {
            // The "--" of the opening may close it too: "<!-->" is a whole comment.
            const std::size_t close = s_.find("-->", pos_ + 2);
            if (close == std::string_view::npos) return nullptr;
            pos_ = close + 2;
        } else if (atMetaStart()) {
            pos_ += 5;
            const Encoding* declared = nullptr;
            if (!meta(declared)) return nullptr;
            if (declared != nullptr) return declared;
        } else if (atTagStart()) {
            while (!atEnd() && !isAsciiWhitespace(byte()) && byte() != '>') ++pos_;
            Attribute ignored;
            Got got;
            while ((got = getAttribute(ignored)) == Got::Attribute) {}
            if (got == Got::End) return nullptr;
        } else if (at("<!") || at("</") || at("<?")) {
            const std::size_t close = s_.find('>', pos_ + 1);
            if (close == std::string_view::npos) return nullptr;
            pos_ = close;
        }
    }
    return nullptr;
}

bool Prescan::meta(const Encoding*& declared) {
    std::vector<std::string> seen;
    bool gotPragma = false;
    enum class Need { Unset, Pragma, NoPragma } need = Need::Unset;
    bool charsetSet = false;
    const Encoding* charset = nullptr;
    Attribute attribute;
    for (;;) {
        const Got got = getAttribute(attribute);
        if (got == Got::End) return false;
        if (got == Got::Nothing) break;
        if (std::find(seen.begin(), seen.end(), attribute.name) != seen.end()) continue;
        seen.push_back(attribute.name);
        if (attribute.name == "http-equiv") {
            if (attribute.value == "content-type") gotPragma = true;
        } else if (attribute.name == "content") {
            const Encoding* found = encodingInContent(attribute.value);
            if (found != nullptr && !charsetSet) {
                charset = found;
                charsetSet = true;
                need = Need::Pragma;
            }
        } else if (attribute.name == "charset") {
            charset = encodingOfLabel(attribute.value);
            charsetSet = true;
            need = Need::NoPragma;
        }
    }
    if (need == Need::NoPragma || (need == Need::Pragma && gotPragma)) declared = charset;
    return true;
}

Prescan::Got Prescan::getAttribute(Attribute& attribute) {
    while (!atEnd() && (isAsciiWhitespace(byte()) || byte() == '/')) ++pos_;
    if (atEnd()) return Got::End;
    if (byte() == '>') return Got::Nothing;
    attribute.name.clear();
    attribute.value.clear();
    for (;; ++pos_) {
        if (atEnd()) return Got::End;
        const unsigned char c = byte();
        if (c == '=' && !attribute.name.empty()) {
            ++pos_;
            return readValue(attribute);
        }
        if (isAsciiWhitespace(c)) break;
        if (c == '/' || c == '>') return Got::Attribute;
        attribute.name += toAsciiLower(static_cast<char>(c));
    }
    skipWhitespace();
    if (atEnd()) return Got::End;
    if (byte() != '=') return Got::Attribute;
    ++pos_;
    return readValue(attribute);
}

Prescan::Got Prescan::readValue(Attribute& attribute) {
    skipWhitespace();
    if (atEnd()) return Got::End;
    const unsigned char first = byte();
    if (first == '"' || first == '\'') {
        for (++pos_;; ++pos_) {
            if (atEnd()) return Got::End;
            if (byte() == first) {
                ++pos_;
                return Got::Attribute;
            }
            attribute.value += toAsciiLower(static_cast<char>(byte()));
        }
    }
    if (first == '>') return Got::Attribute;
    for (;; ++pos_) {
        if (atEnd()) return Got::End;
        if (isAsciiWhitespace(byte()) || byte() == '>') return Got::Attribute;
        attribute.value += toAsciiLower(static_cast<char>(byte()));
    }
}

}  // namespace

std::optional<std::string> prescanMetaCharset(std::string_view bytes) {
    const Encoding* encoding = Prescan(bytes).run();
    if (encoding == nullptr) return std::nullopt;
    return std::string(encoding->name);
}

}  // namespace tarn::charset
