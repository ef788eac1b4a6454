#include "hostlibs/dom/charset/EncodeText.h"

#include <algorithm>
#include <stdexcept>

#include "hostlibs/dom/charset/Converter.h"
#include "hostlibs/dom/charset/Encoding.h"
#include "hostlibs/dom/charset/SingleByteTable.h"
#include "hostlibs/dom/charset/Utf8.h"

namespace tarn::charset {
namespace {

std::string reference(char32_t c) { return "&#" + std::to_string(static_cast<unsigned long>(c)) + ";"; }

std::string encodeSingleByte(std::string_view utf8, const SingleByteTable& table) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const CodePoint c = readUtf8(utf8, pos);
        if (const auto byte = table.encode(c.value)) {
            out += static_cast<char>(*byte);
        } else {
            out += reference(c.value);
        }
        pos += c.length;
    }
    return out;
}

// Input taken per call, so that the room set aside for it stays small.
constexpr std::size_t kChunk = 16 * 1024;

// Runs one conversion call after another into `out`, with room for `inLeft` bytes of input, for
// as long as the converter stops for lack of room.
template <typename Call>
Converter::Result intoString(std::string& out, std::size_t inLeft, Call call) {
    for (;;) {
        const std::size_t base = out.size();
        out.resize(base + 4 * inLeft + 16);
        char* dst = out.data() + base;
        std::size_t room = out.size() - base;
        const Converter::Result result = call(dst, room);
        out.resize(out.size() - room);
        if (result != Converter::Result::OutputFull) return result;
    }
}

std::string encodeMultiByte(std::string_view utf8, const Encoding& encoding) {
    Converter converter(encoding.encoder, "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char* src = utf8.data() + pos;
        std::size_t inLeft = std::min(kChunk, utf8.size() - pos);
        const bool last = inLeft == utf8.size() - pos;
        const Converter::Result result = intoString(
            out, inLeft, [&](char*& dst, std::size_t& room) { return converter.convert(src, inLeft, dst, room); });
        pos = static_cast<std::size_t>(src - utf8.data());
        // A sequence cut by the end of the chunk is read again with the next one.
        if (result == Converter::Result::Invalid || (result == Converter::Result::Incomplete && last)) {
            // The reference goes through the converter too: ISO-2022-JP may first have to shift
            // back to ASCII.
            const CodePoint c = readUtf8(utf8, pos);
            const std::string text = reference(c.value);
            const char* ref = text.data();
            std::size_t refLeft = text.size();
            intoString(out, refLeft, [&](char*& dst, std::size_t& room) {
                return converter.convert(ref, refLeft, dst, room);
            });
            pos += c.length;
        }
    }
    intoString(out, 0, [&](char*& dst, std::size_t& room) { return converter.finish(dst, room); });
    return out;
}

}  // namespace

std::string encodeText(std::string_view utf8, std::string_view encodingName) {
    const Encoding* encoding = findEncoding(encodingName);
    if (encoding == nullptr) throw std::invalid_argument("unknown encoding " + std::string(encodingName));
    switch (encoding->kind) {
    case Encoding::Kind::SingleByte:
        return encodeSingleByte(utf8, SingleByteTable::of(*encoding));
    case Encoding::Kind::Utf8:
    case Encoding::Kind::MultiByte:
        break;
    }
    return encodeMultiByte(utf8, *encoding);
}

}  // namespace tarn::charset
