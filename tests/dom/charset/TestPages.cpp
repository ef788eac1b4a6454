#include "tests/dom/charset/TestPages.h"

#include <iconv.h>
#include <optional>
#include <stdexcept>

namespace tarn::charset::testing {

std::string iconvEncode(std::string_view utf8, const char* to) {
    iconv_t cd = iconv_open(to, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("no iconv for ") + to);
    std::string out(utf8.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* dst = out.data();
    std::size_t room = out.size();
    const bool ok = iconv(cd, &in, &inLeft, &dst, &room) != static_cast<std::size_t>(-1) &&
                    iconv(cd, nullptr, nullptr, &dst, &room) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    if (!ok) throw std::runtime_error(std::string("text not representable in ") + to);
    out.resize(out.size() - room);
    return out;
}

std::vector<std::size_t> characterBoundaries(std::string_view text) {
    std::vector<std::size_t> boundaries;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) boundaries.push_back(i);
    }
    boundaries.push_back(text.size());
    return boundaries;
}

std::vector<std::size_t> bruteForceOffsets(const DecodedPage& page) {
    const DecodeOptions sameEncoding{page.encoding, 4096};
    const std::string_view text = page.text;
    const bool utf16le = page.encoding == "UTF-16LE";
    const bool utf16be = page.encoding == "UTF-16BE";
    // The bytes before a split, read with line feeds after them: they end a sequence cut short
    // the way further bytes of a page would (with errors), without ever completing one. Four of
    // them, since glibc may want up to four bytes before it calls a sequence invalid.
    const std::string lf = utf16le ? std::string("\n\0", 2) : utf16be ? std::string("\0\n", 2) : "\n";
    const std::string feeds = lf + lf + lf + lf;
    auto head = [&](std::size_t b) -> std::optional<std::string> {
        std::string read = decodePage(page.bytes.substr(0, b) + feeds, sameEncoding).text;
        if (!read.ends_with("\n\n\n\n")) return std::nullopt;
        read.resize(read.size() - 4);
        return read;
    };
    // The bytes after a split, read alone behind a character that cannot change how they read: a
    // byte order mark for UTF-16, an ASCII letter otherwise.
    auto tail = [&](std::size_t b) {
        const std::string rest = page.bytes.substr(b);
        if (utf16le) return decodePage("\xFF\xFE" + rest).text;
        if (utf16be) return decodePage("\xFE\xFF" + rest).text;
        return decodePage("x" + rest, sameEncoding).text.substr(1);
    };
    // ISO-2022-JP cannot be read from a split without knowing the shift state, so there the split
    // is only asked to end the text before it, and the last such place is taken.
    const bool shifting = page.encoding == "ISO-2022-JP";
    std::vector<std::size_t> offsets;
    std::size_t b = page.bomLength;
    for (const std::size_t t : characterBoundaries(text)) {
        std::size_t best = b;
        for (std::size_t split = b; split <= page.bytes.size(); ++split) {
            const std::optional<std::string> before = head(split);
            if (!before) continue;
            if (*before == text.substr(0, t) && (shifting || tail(split) == text.substr(t))) {
                best = split;
            } else if (before->size() > t && text.starts_with(*before)) {
                break;  // past the character
            }
        }
        offsets.push_back(best);
        b = best;
    }
    return offsets;
}

::testing::AssertionResult offsetsMatchBruteForce(const DecodedPage& page) {
    const std::vector<std::size_t> boundaries = characterBoundaries(page.text);
    const std::vector<std::size_t> expected = bruteForceOffsets(page);
    for (std::size_t i = 0; i < boundaries.size(); ++i) {
        const std::size_t found = page.originalOffset(boundaries[i]);
        if (found != expected[i]) {
            return ::testing::AssertionFailure() << "text offset " << boundaries[i] << " maps to byte " << found
                                                 << ", not " << expected[i];
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace tarn::charset::testing
