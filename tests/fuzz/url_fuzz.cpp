// Any UTF-16 text (the input's bytes, little-endian, up to the first U+0000) as a URL written in a page:
// Url splits it, and is_protocol judges its scheme the way Url reads it. The same text (in UTF-8) as a
// redirect's Location: its target holds no control byte and keeps a link's fragment.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "hostlibs/url/RedirectTarget.h"
#include "hostlibs/url/UrlLayout.h"
#include "contracts/host/IsProtocol.h"
#include "contracts/host/Url.h"
#include "platform/win/Utf8.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

std::u16string AsciiLower(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + 32);
    return lower;
}

std::u16string_view View(const CString& text) { return {text.GetString(), static_cast<std::size_t>(text.GetLength())}; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const char16_t unit = static_cast<char16_t>(data[i] | data[i + 1] << 8);
        if (unit == u'\0')
            break;
        text += unit;
    }
    const Url url{CString(text)};
    const std::u16string cleaned = tarn::url::cleanUrlText(text);
    for (int element = tarn::URL_SCHEME; element <= tarn::URL_FRAGMENT; ++element)
        FuzzCheck(cleaned.find(View(url.get_element(static_cast<tarn::URL_ELEMENT>(element)))) != std::u16string::npos,
                  "every element is a piece of the cleaned text");
    const std::size_t hash = cleaned.find(u'#');
    FuzzCheck(View(url.get_element(tarn::URL_FRAGMENT)) ==
                  (hash == std::u16string::npos ? std::u16string_view() : std::u16string_view(cleaned).substr(hash + 1)),
              "the fragment is what follows the first '#'");
    FuzzCheck(View(url.requestUrl()).find(u'#') == std::u16string_view::npos, "the request URL has no fragment");
    url.get_url_woparams();

    const std::u16string scheme = AsciiLower(View(url.get_element(tarn::URL_SCHEME)));
    for (const char16_t* protocol : {u"http:", u"https:", u"ftp:", u"mailto:", u"javascript", u"h"}) {
        std::u16string_view name(protocol);
        if (name.ends_with(u':'))
            name.remove_suffix(1);
        FuzzCheck((is_protocol(text.c_str(), protocol) != 0) == (scheme == name),
                  "is_protocol agrees with Url's scheme");
    }
    FuzzCheck(is_protocol(text.c_str(), u"") == 0 && is_protocol(text.c_str(), u":") == 0,
              "an empty protocol matches nothing");

    const tarn::LinkRequest link{"http://127.0.0.1/dir/old#s", "http://127.0.0.1/dir/old", "127.0.0.1:", "s"};
    const std::string target = tarn::redirectTarget(link, win::EncodeUtf8(text));
    for (const char byte : target)
        FuzzCheck(static_cast<unsigned char>(byte) > 0x1F && byte != 0x7F, "a redirect target holds no control byte");
    FuzzCheck(target.empty() || target.find('#') != std::string::npos, "a redirect target keeps a fragment");
    return 0;
}
