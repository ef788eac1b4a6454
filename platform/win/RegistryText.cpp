#include "platform/win/RegistryText.h"

#include "platform/win/Utf8.h"
#include "platform/win/WinReg.h"

#include <cstring>

namespace win {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

bool IsSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

void AppendHex(std::string& out, std::uint32_t value, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out.push_back(kHexDigits[(value >> shift) & 0xF]);
}

void AppendQuoted(std::string& out, std::u16string_view text) {
    out.push_back('"');
    std::size_t run = 0;  // start of the units not yet written
    auto flush = [&](std::size_t end) { out += win::EncodeUtf8(text.substr(run, end - run)); };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        const bool pairedHigh = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                                text[i + 1] <= 0xDFFF;
        if (pairedHigh) {
            ++i;
            continue;
        }
        if (unit == u'\\' || unit == u'"') {
            flush(i);
            out.push_back('\\');
            out.push_back(static_cast<char>(unit));
            run = i + 1;
        } else if (unit < 0x20 || unit == 0x7F || IsSurrogate(unit)) {
            flush(i);
            out += "\\u";
            AppendHex(out, unit, 4);
            run = i + 1;
        }
    }
    flush(text.size());
    out.push_back('"');
}

// The text of a REG_SZ that is exactly one NUL-terminated string, or empty.
std::optional<std::u16string> PlainString(const RegistryValue& value) {
    if (value.type != REG_SZ || value.data.size() < 2 || value.data.size() % 2 != 0)
        return std::nullopt;
    std::u16string text(value.data.size() / 2, u'\0');
    std::memcpy(text.data(), value.data.data(), value.data.size());
    if (text.back() != u'\0')
        return std::nullopt;
    text.pop_back();
    if (text.find(u'\0') != std::u16string::npos)
        return std::nullopt;
    return text;
}

void AppendValue(std::string& out, const RegistryValue& value) {
    if (value.name.empty())
        out.push_back('@');
    else
        AppendQuoted(out, value.name);
    out.push_back('=');
    if (const auto text = PlainString(value)) {
        AppendQuoted(out, *text);
    } else if (value.type == REG_DWORD && value.data.size() == 4) {
        DWORD number = 0;
        std::memcpy(&number, value.data.data(), 4);
        out += "dword:";
        AppendHex(out, number, 8);
    } else {
        out += "hex";
        if (value.type != REG_BINARY) {
            out.push_back('(');
            std::string type;
            AppendHex(type, value.type, 8);
            type.erase(0, std::min(type.find_first_not_of('0'), type.size() - 1));
            out += type;
            out.push_back(')');
        }
        out.push_back(':');
        for (std::size_t i = 0; i < value.data.size(); ++i) {
            if (i != 0)
                out.push_back(',');
            AppendHex(out, value.data[i], 2);
        }
    }
    out.push_back('\n');
}

int HexValue(char ch) {
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

// Reads 1..maxDigits hex digits that make up all of text.
std::optional<std::uint32_t> ParseHex(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char ch : text) {
        const int digit = HexValue(ch);
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
}

// Reads a quoted string at the start of text and moves text past it.
std::optional<std::u16string> ParseQuoted(std::string_view& text) {
    if (text.empty() || text.front() != '"')
        return std::nullopt;
    std::u16string out;
    std::size_t i = 1;
    std::size_t run = 1;
    auto flush = [&](std::size_t end) { out += win::DecodeUtf8(text.substr(run, end - run)); };
    while (i < text.size() && text[i] != '"') {
        if (text[i] != '\\') {
            ++i;
            continue;
        }
        flush(i);
        if (i + 1 >= text.size())
            return std::nullopt;
        const char escaped = text[i + 1];
        if (escaped == '\\' || escaped == '"') {
            out.push_back(static_cast<char16_t>(escaped));
            i += 2;
        } else if (escaped == 'u' && i + 6 <= text.size()) {
            const auto unit = ParseHex(text.substr(i + 2, 4), 4);
            if (!unit)
                return std::nullopt;
            out.push_back(static_cast<char16_t>(*unit));
            i += 6;
        } else {
            return std::nullopt;
        }
        run = i;
    }
    if (i >= text.size())
        return std::nullopt;
    flush(i);
    text.remove_prefix(i + 1);
    return out;
}

std::optional<std::vector<BYTE>> ParseBytes(std::string_view text) {
    std::vector<BYTE> bytes;
    if (text.empty())
        return bytes;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        if (item.size() != 2)
            return std::nullopt;
        const auto byte = ParseHex(item, 2);
        if (!byte)
            return std::nullopt;
        bytes.push_back(static_cast<BYTE>(*byte));
        if (comma == std::string_view::npos)
            return bytes;
        text.remove_prefix(comma + 1);
    }
}

std::optional<RegistryValue> ParseValue(std::string_view line) {
    RegistryValue value;
    if (line.starts_with('@')) {
        line.remove_prefix(1);
    } else {
        auto name = ParseQuoted(line);
        if (!name)
            return std::nullopt;
        value.name = std::move(*name);
    }
    if (!line.starts_with('='))
        return std::nullopt;
    line.remove_prefix(1);
    if (line.starts_with('"')) {
        auto text = ParseQuoted(line);
        if (!text || !line.empty())
            return std::nullopt;
        text->push_back(u'\0');
        value.type = REG_SZ;
        value.data.resize(text->size() * 2);
        std::memcpy(value.data.data(), text->data(), value.data.size());
        return value;
    }
    if (line.starts_with("dword:")) {
        line.remove_prefix(6);
        const auto number = line.size() == 8 ? ParseHex(line, 8) : std::nullopt;
        if (!number)
            return std::nullopt;
        value.type = REG_DWORD;
        value.data.resize(4);
        std::memcpy(value.data.data(), &*number, 4);
        return value;
    }
    if (line.starts_with("hex:")) {
        line.remove_prefix(4);
        value.type = REG_BINARY;
    } else if (line.starts_with("hex(")) {
        const std::size_t close = line.find("):");
        const auto type = close == std::string_view::npos ? std::nullopt : ParseHex(line.substr(4, close - 4), 8);
        if (!type)
            return std::nullopt;
        value.type = *type;
        line.remove_prefix(close + 2);
    } else {
        return std::nullopt;
    }
    auto bytes = ParseBytes(line);
    if (!bytes)
        return std::nullopt;
    value.data = std::move(*bytes);
    return value;
}

std::string_view Trim(std::string_view line) {
    const std::size_t start = line.find_first_not_of(" \t\r");
    if (start == std::string_view::npos)
        return {};
    return line.substr(start, line.find_last_not_of(" \t\r") - start + 1);
}

}  // namespace

std::string FormatRegistryText(const RegistryTree& tree) {
    std::string out = "; Per-user settings (HKEY_CURRENT_USER), rewritten whole on every change.\n";
    for (const auto& [folded, key] : tree.Keys()) {
        if (folded.empty() && key.values.empty())
            continue;
        out += "\n[";
        out += win::EncodeUtf8(key.path);
        out += "]\n";
        for (const auto& [name, value] : key.values)
            AppendValue(out, value);
    }
    return out;
}

std::optional<RegistryTree> ParseRegistryText(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    if (win::EncodeUtf8(win::DecodeUtf8(text)) != text)
        return std::nullopt;
    RegistryTree tree;
    RegistryKey* key = nullptr;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 2)
                return std::nullopt;
            const auto names = RegistryTree::SplitPath(win::DecodeUtf8(line.substr(1, line.size() - 2)));
            if (!names)
                return std::nullopt;
            std::u16string folded;
            tree.Create(std::u16string(), *names, folded);
            key = tree.Find(folded);
            continue;
        }
        auto value = ParseValue(line);
        if (!value || key == nullptr)
            return std::nullopt;
        key->values.insert_or_assign(FoldName(value->name), std::move(*value));
    }
    return tree;
}

}  // namespace win
