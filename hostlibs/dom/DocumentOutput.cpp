#include "hostlibs/dom/DocumentStore.h"
#include "hostlibs/dom/PageEdits.h"
#include "contracts/host/Document.h"

std::string Document::editedText() const {
    const std::string_view text = store_->text();
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    for (const tarn::dom::TextEdit& edit : tarn::dom::collectEdits(*this)) {
        out += text.substr(at, edit.span.begin - at);
        out += edit.replacement;
        at = edit.span.end;
    }
    out += text.substr(at);
    return out;
}

std::string Document::writtenBytes() const {
    // Outside the edits, the bytes are copied as read: the encoding, the byte order mark, the line
    // breaks and any byte the decoder could not read stay as they were.
    const std::string_view bytes = store_->originalBytes();
    std::string out;
    out.reserve(bytes.size());
    std::size_t at = 0;
    for (const tarn::dom::TextEdit& edit : tarn::dom::collectEdits(*this)) {
        const tarn::charset::ByteSpan span = store_->originalSpan(edit.span.begin, edit.span.end);
        out += bytes.substr(at, span.begin - at);
        out += store_->page().encodeReplacement(edit.span.begin, edit.span.end, edit.replacement);
        at = span.end;
    }
    out += bytes.substr(at);
    return out;
}
