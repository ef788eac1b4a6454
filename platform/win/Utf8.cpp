#include "platform/win/Utf8.h"

namespace win {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}


bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::u16string DecodeUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    char32_t cp = 0;
    int needed = 0;
    int seen = 0;
    unsigned lower = 0x80;
    unsigned upper = 0xBF;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned byte = static_cast<unsigned char>(bytes[i]);
        if (needed == 0 && byte < 0x80) {
            // Most text is ASCII: copy a run of it at once.
            std::size_t end = i + 1;
            while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) < 0x80)
                ++end;
            const std::size_t at = out.size();
            out.resize(at + (end - i));
            for (std::size_t k = i; k < end; ++k)
                out[at + (k - i)] = static_cast<char16_t>(bytes[k]);
            i = end - 1;
            continue;
        }
        if (needed == 0) {
            if (byte >= 0xC2 && byte <= 0xDF) {
                needed = 1;
                cp = byte & 0x1F;
            } else if (byte >= 0xE0 && byte <= 0xEF) {
                // E0 would allow overlong forms, ED the surrogates: narrow the next byte's range.
                if (byte == 0xE0)
                    lower = 0xA0;
                if (byte == 0xED)
                    upper = 0x9F;
                needed = 2;
                cp = byte & 0x0F;
            } else if (byte >= 0xF0 && byte <= 0xF4) {
                // F0 would allow overlong forms, F4 code points past U+10FFFF.
                if (byte == 0xF0)
                    lower = 0x90;
                if (byte == 0xF4)
                    upper = 0x8F;
                needed = 3;
                cp = byte & 0x07;
            } else {
                out.push_back(kReplacement);
            }
            continue;
        }
        if (byte < lower || byte > upper) {
            // The subpart so far ends here; this byte starts afresh.
            cp = 0;
            needed = seen = 0;
            lower = 0x80;
            upper = 0xBF;
            out.push_back(kReplacement);
            --i;
            continue;
        }
        lower = 0x80;
        upper = 0xBF;
        cp = (cp << 6) | (byte & 0x3F);
        if (++seen == needed) {
            AppendUtf16(out, cp);
            cp = 0;
            needed = seen = 0;
        }
    }
    if (needed != 0)
        out.push_back(kReplacement);
    return out;
}

std::string EncodeUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace win
