#include "hostlibs/dom/html/Tokenizer.h"

#include <utility>

#include "hostlibs/dom/html/InputCursor.h"
#include "hostlibs/dom/html/MarkupReader.h"
#include "hostlibs/dom/html/TextReader.h"
#include "hostlibs/dom/html/TokenReset.h"

namespace tarn::html {

struct Tokenizer::Impl {
    explicit Impl(std::string_view text) : in(text) {}

    InputCursor in;
    ContentModel model = ContentModel::Data;
    std::string lastStartTag;
    bool foreign = false;
    // A text run ends only where the next token has been read, so that token waits here until
    // the run has been returned. Its buffers are swapped with the caller's, never copied.
    Token markup;
    bool markupWaiting = false;

    // Reads the markup token at the cursor into `token`; false when the text ends inside a tag.
    bool readMarkup(Token& token) {
        if (!html::readMarkup(in, token)) return false;
        // After markup the tokenizer reads data, until the tree builder says otherwise.
        model = ContentModel::Data;
        if (token.kind == TokenKind::StartTag) lastStartTag = token.name;
        return true;
    }
};

Tokenizer::Tokenizer(std::string_view text) : impl_(std::make_unique<Impl>(text)) {}

Tokenizer::~Tokenizer() = default;

void Tokenizer::next(Token& token) {
    Impl& s = *impl_;
    if (s.markupWaiting) {
        s.markupWaiting = false;
        swapTokens(token, s.markup);
        return;
    }
    resetToken(token, TokenKind::Characters);
    const std::uint32_t textStart = s.in.pos();
    const bool atMarkup = readText(s.in, TextContext{s.model, s.lastStartTag, s.foreign}, token.data);
    if (!token.data.empty()) {
        token.span = {textStart, s.in.pos()};
        if (atMarkup && s.readMarkup(s.markup)) s.markupWaiting = true;
        return;
    }
    if (atMarkup && s.readMarkup(token)) return;
    // The end of the text, after nothing or only text that stands for nothing ("</>", a cut-off tag).
    resetToken(token, TokenKind::EndOfFile);
    token.span = {s.in.size(), s.in.size()};
}

void Tokenizer::setContentModel(ContentModel model) { impl_->model = model; }

void Tokenizer::setLastStartTag(std::string_view name) { impl_->lastStartTag = name; }

void Tokenizer::setForeignContent(bool foreign) { impl_->foreign = foreign; }

}  // namespace tarn::html
