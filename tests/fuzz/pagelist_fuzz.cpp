// Any text as the answer of a browser's /json/list: the page taken from it, and its text as the editor
// receives it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "hostlibs/common/PageList.h"
#include "platform/afx/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string body(reinterpret_cast<const char*>(data), size);
    const std::optional<tarn::browser::ListedPage> page = tarn::browser::FirstListedPage(body);
    if (!page)
        return 0;
    afx::DecodeUtf8(page->url);
    afx::DecodeUtf8(page->title);
    return 0;
}
