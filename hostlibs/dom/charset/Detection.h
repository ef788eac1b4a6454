#pragma once
#include <cstddef>
#include <string_view>

#include "hostlibs/dom/charset/Encoding.h"

namespace tarn::charset {

struct Detection {
    const Encoding* encoding;
    std::size_t bomLength;  // 0, 2 or 3
};

// The page's encoding, first rule that answers: a byte order mark (UTF-8, UTF-16LE, UTF-16BE);
// `transportLabel` (the charset of an HTTP Content-Type, say) when it names a supported encoding;
// UTF-16LE or UTF-16BE by the pattern of zero bytes in the first 4 KiB; the <meta> prescan; UTF-8
// when all the bytes are valid UTF-8; windows-1252.
Detection detectEncoding(std::string_view bytes, std::string_view transportLabel = {});

}  // namespace tarn::charset
