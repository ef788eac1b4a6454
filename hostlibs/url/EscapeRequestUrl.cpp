#include "hostlibs/url/EscapeRequestUrl.h"

namespace tarn {
namespace {

bool alwaysEscaped(unsigned char byte) {
    return byte <= 0x20 || byte >= 0x7F;
}

bool escapedInPath(unsigned char byte) {
    switch (byte) {
        case '"': case '<': case '>': case '`': case '{': case '}':
            return true;
        default:
            return alwaysEscaped(byte);
    }
}

bool escapedInQuery(unsigned char byte) {
    switch (byte) {
        case '"': case '<': case '>': case '\'':
            return true;
        default:
            return alwaysEscaped(byte);
    }
}

}  // namespace

std::string escapeRequestUrl(std::string_view url) {
    const std::size_t authority = url.find("://");
    const std::size_t pathStart =
        authority == std::string_view::npos ? std::string_view::npos : url.find_first_of("/?", authority + 3);
    if (pathStart == std::string_view::npos)
        return std::string(url);

    std::string escaped(url.substr(0, pathStart));
    escaped.reserve(url.size() + 16);
    bool inQuery = false;
    for (const char ch : url.substr(pathStart)) {
        const auto byte = static_cast<unsigned char>(ch);
        inQuery = inQuery || ch == '?';
        if (inQuery ? escapedInQuery(byte) : escapedInPath(byte)) {
            appendEscapedByte(escaped, byte);
        } else {
            escaped += ch;
        }
    }
    return escaped;
}

void appendEscapedByte(std::string& text, unsigned char byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    text += '%';
    text += kHex[byte >> 4];
    text += kHex[byte & 0x0F];
}

}  // namespace tarn
