#include "app/LoadedPage.h"

#include <string_view>

#include "hostlibs/dom/HtmlParser.h"

namespace {

bool hasUtf16ByteOrderMark(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

// Text of any charset a page may have holds no NUL byte; UTF-16 does, and says so with its mark.
bool looksBinary(std::string_view bytes) {
    return !hasUtf16ByteOrderMark(bytes) && bytes.find('\0') != std::string_view::npos;
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
