#include "hostlibs/dom/charset/Detection.h"

#include "hostlibs/dom/charset/EncodingLabels.h"
#include "hostlibs/dom/charset/MetaPrescan.h"
#include "hostlibs/dom/charset/Utf8.h"

namespace tarn::charset {

Detection detectEncoding(std::string_view bytes, std::string_view transportLabel) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return {&requireEncoding("UTF-8"), 3};
    if (bytes.starts_with("\xFF\xFE")) return {&requireEncoding("UTF-16LE"), 2};
    if (bytes.starts_with("\xFE\xFF")) return {&requireEncoding("UTF-16BE"), 2};
    if (const Encoding* transported = encodingByLabel(transportLabel)) return {transported, 0};
    if (const auto declared = prescanMetaCharset(bytes)) return {&requireEncoding(*declared), 0};
    if (isValidUtf8(bytes)) return {&requireEncoding("UTF-8"), 0};
    return {&requireEncoding("windows-1252"), 0};
}

}  // namespace tarn::charset
