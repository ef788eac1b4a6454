#include "hostlibs/dom/charset/Detection.h"

#include <algorithm>

#include "hostlibs/dom/charset/EncodingLabels.h"
#include "hostlibs/dom/charset/MetaPrescan.h"
#include "hostlibs/dom/charset/Utf8.h"

namespace tarn::charset {
namespace {

// Enough of a page to tell its byte pattern.
constexpr std::size_t kSampleLength = 4096;

// UTF-16 without a byte order mark, told as editors tell it: markup and the ASCII around it put a zero
// byte in every other place, the high byte of each unit (second in UTF-16LE, first in UTF-16BE), while
// the other place holds almost none. No other text a page may be in has zero bytes in a pattern.
const Encoding* utf16ByZeroBytes(std::string_view bytes) {
    const std::size_t units = std::min(bytes.size(), kSampleLength) / 2;
    std::size_t zeroFirst = 0;
    std::size_t zeroSecond = 0;
    for (std::size_t i = 0; i < units; ++i) {
        zeroFirst += bytes[2 * i] == '\0' ? 1 : 0;
        zeroSecond += bytes[2 * i + 1] == '\0' ? 1 : 0;
    }
    auto pattern = [units](std::size_t high, std::size_t low) { return high * 8 >= units && low * 8 <= high; };
    if (units >= 2 && pattern(zeroSecond, zeroFirst)) return &requireEncoding("UTF-16LE");
    if (units >= 2 && pattern(zeroFirst, zeroSecond)) return &requireEncoding("UTF-16BE");
    return nullptr;
}

}  // namespace

Detection detectEncoding(std::string_view bytes, std::string_view transportLabel) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return {&requireEncoding("UTF-8"), 3};
    if (bytes.starts_with("\xFF\xFE")) return {&requireEncoding("UTF-16LE"), 2};
    if (bytes.starts_with("\xFE\xFF")) return {&requireEncoding("UTF-16BE"), 2};
    if (const Encoding* transported = encodingByLabel(transportLabel)) return {transported, 0};
    if (const Encoding* utf16 = utf16ByZeroBytes(bytes)) return {utf16, 0};
    if (const auto declared = prescanMetaCharset(bytes)) return {&requireEncoding(*declared), 0};
    if (isValidUtf8(bytes)) return {&requireEncoding("UTF-8"), 0};
    return {&requireEncoding("windows-1252"), 0};
}

}  // namespace tarn::charset
