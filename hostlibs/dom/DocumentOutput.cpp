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

std::vector<ByteEdit> Document::writtenEdits() const {
    std::vector<ByteEdit> out;
    for (const tarn::dom::TextEdit& edit : tarn::dom::collectEdits(*this)) {
        const tarn::charset::ByteSpan span = store_->originalSpan(edit.span.begin, edit.span.end);
        out.push_back({span.begin, span.end - span.begin,
                       store_->page().encodeReplacement(edit.span.begin, edit.span.end, edit.replacement)});
    }
    return out;
}

std::string Document::writtenBytes() const {
    // Outside the edits, the bytes are copied as read: the encoding, the byte order mark, the line
    // breaks and any byte the decoder could not read stay as they were.
    const std::string_view bytes = store_->originalBytes();
    std::string out;
    out.reserve(bytes.size());
    std::size_t at = 0;
    for (const ByteEdit& edit : writtenEdits()) {
        out += bytes.substr(at, edit.offset - at);
        out += edit.bytes;
        at = edit.offset + edit.length;
    }
    out += bytes.substr(at);
    return out;
}
