#include "hostlibs/dom/charset/Encoding.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "hostlibs/dom/charset/Converter.h"

namespace tarn::charset {
namespace {

using Kind = Encoding::Kind;

// Converter choices follow the WHATWG decoders: Shift_JIS is Microsoft's CP932, EUC-KR is CP949,
// Big5 includes HKSCS, GBK reads as gb18030 (and writes as GBK), KOI8-U has the Belarusian letters
// of glibc's KOI8-RU, ISO-8859-8-I is ISO-8859-8 in logical order.
constexpr Encoding kEncodings[] = {
    {"UTF-8", Kind::Utf8, "UTF-8", "UTF-8", 1, false, false},
    {"UTF-16LE", Kind::MultiByte, "UTF-16LE", "UTF-16LE", 2, false, false},
    {"UTF-16BE", Kind::MultiByte, "UTF-16BE", "UTF-16BE", 2, false, false},
    {"IBM866", Kind::SingleByte, "IBM866", "IBM866", 1, false, false},
    {"ISO-8859-2", Kind::SingleByte, "ISO-8859-2", "ISO-8859-2", 1, false, false},
    {"ISO-8859-3", Kind::SingleByte, "ISO-8859-3", "ISO-8859-3", 1, false, false},
    {"ISO-8859-4", Kind::SingleByte, "ISO-8859-4", "ISO-8859-4", 1, false, false},
    {"ISO-8859-5", Kind::SingleByte, "ISO-8859-5", "ISO-8859-5", 1, false, false},
    {"ISO-8859-6", Kind::SingleByte, "ISO-8859-6", "ISO-8859-6", 1, false, false},
    {"ISO-8859-7", Kind::SingleByte, "ISO-8859-7", "ISO-8859-7", 1, false, false},
    {"ISO-8859-8", Kind::SingleByte, "ISO-8859-8", "ISO-8859-8", 1, false, false},
    {"ISO-8859-8-I", Kind::SingleByte, "ISO-8859-8", "ISO-8859-8", 1, false, false},
    {"ISO-8859-10", Kind::SingleByte, "ISO-8859-10", "ISO-8859-10", 1, false, false},
    {"ISO-8859-13", Kind::SingleByte, "ISO-8859-13", "ISO-8859-13", 1, false, false},
    {"ISO-8859-14", Kind::SingleByte, "ISO-8859-14", "ISO-8859-14", 1, false, false},
    {"ISO-8859-15", Kind::SingleByte, "ISO-8859-15", "ISO-8859-15", 1, false, false},
    {"ISO-8859-16", Kind::SingleByte, "ISO-8859-16", "ISO-8859-16", 1, false, false},
    {"KOI8-R", Kind::SingleByte, "KOI8-R", "KOI8-R", 1, false, false},
    {"KOI8-U", Kind::SingleByte, "KOI8-RU", "KOI8-RU", 1, false, false},
    {"macintosh", Kind::SingleByte, "MACINTOSH", "MACINTOSH", 1, false, false},
    {"windows-874", Kind::SingleByte, "CP874", "CP874", 1, true, false},
    {"windows-1250", Kind::SingleByte, "CP1250", "CP1250", 1, true, false},
    {"windows-1251", Kind::SingleByte, "CP1251", "CP1251", 1, true, false},
    {"windows-1252", Kind::SingleByte, "CP1252", "CP1252", 1, true, false},
    {"windows-1253", Kind::SingleByte, "CP1253", "CP1253", 1, true, false},
    {"windows-1254", Kind::SingleByte, "CP1254", "CP1254", 1, true, false},
    {"windows-1255", Kind::SingleByte, "CP1255", "CP1255", 1, true, false},
    {"windows-1256", Kind::SingleByte, "CP1256", "CP1256", 1, true, false},
    {"windows-1257", Kind::SingleByte, "CP1257", "CP1257", 1, true, false},
    {"windows-1258", Kind::SingleByte, "CP1258", "CP1258", 1, true, false},
    {"x-mac-cyrillic", Kind::SingleByte, "MAC-CYRILLIC", "MAC-CYRILLIC", 1, false, false},
    {"GBK", Kind::MultiByte, "GB18030", "GBK", 1, false, false},
    {"gb18030", Kind::MultiByte, "GB18030", "GB18030", 1, false, false},
    {"Big5", Kind::MultiByte, "BIG5-HKSCS", "BIG5-HKSCS", 1, false, false},
    {"EUC-JP", Kind::MultiByte, "EUC-JP", "EUC-JP", 1, false, false},
    {"ISO-2022-JP", Kind::MultiByte, "ISO-2022-JP", "ISO-2022-JP", 1, false, true},
    {"Shift_JIS", Kind::MultiByte, "CP932", "CP932", 1, false, false},
    {"EUC-KR", Kind::MultiByte, "CP949", "CP949", 1, false, false},
};

constexpr std::size_t kCount = std::size(kEncodings);

// Asked of glibc once: a system without some gconv module simply lacks those encodings.
const std::array<bool, kCount>& availability() {
    static const std::array<bool, kCount> available = [] {
        std::array<bool, kCount> result{};
        for (std::size_t i = 0; i < kCount; ++i) {
            const Encoding& e = kEncodings[i];
            result[i] = Converter::available("UTF-8", e.decoder) && Converter::available(e.encoder, "UTF-8");
        }
        return result;
    }();
    return available;
}

}  // namespace

const Encoding* findEncoding(std::string_view name) {
    const auto* it = std::find_if(std::begin(kEncodings), std::end(kEncodings),
                                  [name](const Encoding& e) { return e.name == name; });
    if (it == std::end(kEncodings)) return nullptr;
    return availability()[static_cast<std::size_t>(it - std::begin(kEncodings))] ? it : nullptr;
}

const Encoding& requireEncoding(std::string_view name) {
    const Encoding* encoding = findEncoding(name);
    if (encoding == nullptr) throw std::runtime_error("glibc lacks the converters for " + std::string(name));
    return *encoding;
}

}  // namespace tarn::charset
