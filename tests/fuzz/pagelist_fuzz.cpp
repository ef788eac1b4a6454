// Any text as the answer of a browser's /json/list: the page taken from it, and its text as the editor
// receives it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "hostlibs/common/BrowserPageList.h"
#include "tests/fuzz/FuzzCheck.h"
#include "platform/win/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string body(reinterpret_cast<const char*>(data), size);
    const tarn::browser::PageListAnswer answer = tarn::browser::ReadPageList(body);
    const std::optional<tarn::browser::ListedPage>& page = answer.page;
    if (!page)
        return 0;
    FuzzCheck(answer.isList, "a page comes from a list");
    std::string scheme = page->url.substr(0, page->url.find(':'));
    for (char& c : scheme)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    FuzzCheck(scheme == "http" || scheme == "https", "the page taken is a web page");
    for (const std::string& text : {page->url, page->title})
        for (const char c : text)
            FuzzCheck(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "no control character reaches the edit box");
    win::DecodeUtf8(page->url);
    win::DecodeUtf8(page->title);
    return 0;
}
