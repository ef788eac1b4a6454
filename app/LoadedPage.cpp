#include "app/LoadedPage.h"

#include <algorithm>
#include <string_view>

#include "hostlibs/dom/HtmlParser.h"
#include "hostlibs/dom/charset/Detection.h"

namespace {

// Control bytes that no text a page may be in holds; TAB, the line breaks, FF and ESC (ISO-2022-JP's
// shifts) are text.
bool isBinaryByte(char c) {
    return static_cast<unsigned char>(c) < 0x20 && std::string_view("\t\n\v\f\r\x1b").find(c) == std::string_view::npos;
}

// A file full of control bytes (an image, an archive) is not a page; a stray NUL or two are only a fault
// of one, which opens and keeps them. UTF-16 is full of zero bytes by its nature, and is told by them.
bool looksBinary(std::string_view bytes) {
    if (tarn::charset::detectEncoding(bytes).encoding->name.starts_with("UTF-16"))
        return false;
    const auto controls = std::count_if(bytes.begin(), bytes.end(), isBinaryByte);
    return static_cast<std::size_t>(controls) * 32 > bytes.size();
}

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A tag, an end tag, a comment or a doctype anywhere: the least a page has.
bool hasMarkup(std::string_view text) {
    for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
        if (at + 1 < text.size() && (isAsciiLetter(text[at + 1]) || text[at + 1] == '!' || text[at + 1] == '/'))
            return true;
    }
    return false;
}

}  // namespace

LoadedPage LoadedPage::load(const std::string& path) {
    PageFile file = PageFile::open(path);
    if (looksBinary(file.bytes()))
        throw PageFileError("not an HTML page (binary data): " + path);
    // The document keeps the page's bytes for writing it back; the file reads them there.
    std::unique_ptr<Document> document;
    file.handOverBytes([&document](std::string bytes) {
        document = tarn::dom::loadDocument(std::move(bytes));
        return document->originalBytes();
    });
    if (!hasMarkup(document->sourceText()))
        throw PageFileError("not an HTML page (no markup): " + path);
    return {std::move(file), std::move(document)};
}
