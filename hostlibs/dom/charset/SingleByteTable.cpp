#include "hostlibs/dom/charset/SingleByteTable.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "hostlibs/dom/charset/Converter.h"
#include "hostlibs/dom/charset/Utf8.h"

namespace tarn::charset {
namespace {

// One byte through the converter, flushed so that a composing converter gives up what it holds.
std::string decodeByte(Converter& converter, unsigned char byte, bool& defined) {
    const char in[1] = {static_cast<char>(byte)};
    const char* src = in;
    std::size_t inLeft = 1;
    char buffer[16];
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    defined = converter.convert(src, inLeft, out, outLeft) == Converter::Result::Done;
    converter.finish(out, outLeft);
    return std::string(buffer, out);
}

}  // namespace

SingleByteTable::SingleByteTable(const Encoding& encoding) {
    Converter converter("UTF-8", encoding.decoder);
    for (unsigned b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        bool defined = false;
        std::string text = decodeByte(converter, byte, defined);
        defined = defined && !text.empty() && text.size() <= entries_[b].utf8.size();
        const bool control = !defined && encoding.controlHoles && byte >= 0x80 && byte <= 0x9F;
        if (!defined) {
            text.clear();
            appendUtf8(control ? char32_t{byte} : char32_t{0xFFFD}, text);
        }
        std::copy(text.begin(), text.end(), entries_[b].utf8.begin());
        entries_[b].length = static_cast<std::uint8_t>(text.size());
        const CodePoint c = readUtf8(text, 0);
        if ((defined || control) && c.length == text.size()) reverse_.emplace_back(c.value, byte);
    }
    // Where two bytes share a character, the lower byte writes it.
    std::stable_sort(reverse_.begin(), reverse_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    reverse_.erase(std::unique(reverse_.begin(), reverse_.end(),
                               [](const auto& a, const auto& b) { return a.first == b.first; }),
                   reverse_.end());
}

const SingleByteTable& SingleByteTable::of(const Encoding& encoding) {
    static std::mutex mutex;
    static std::map<const Encoding*, std::unique_ptr<const SingleByteTable>> tables;
    const std::lock_guard lock(mutex);
    auto& table = tables[&encoding];
    if (!table) table.reset(new SingleByteTable(encoding));
    return *table;
}

char* SingleByteTable::decode(std::string_view bytes, char* out) const {
    for (const char byte : bytes) {
        const Entry& e = entries_[static_cast<unsigned char>(byte)];
        std::memcpy(out, e.utf8.data(), e.utf8.size());
        out += e.length;
    }
    return out;
}

std::optional<unsigned char> SingleByteTable::encode(char32_t c) const {
    const auto it = std::lower_bound(reverse_.begin(), reverse_.end(), c,
                                     [](const auto& entry, char32_t value) { return entry.first < value; });
    if (it == reverse_.end() || it->first != c) return std::nullopt;
    return it->second;
}

}  // namespace tarn::charset
