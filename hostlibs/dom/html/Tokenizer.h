#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "hostlibs/dom/html/Token.h"

namespace tarn::html {

// The HTML tokenizer of the WHATWG standard, over a page's decoded UTF-8 text.
// CR LF and lone CR are read as LF on the fly, so spans index the text exactly as written.
class Tokenizer {
public:
    // The content models the tree builder switches to after a start tag.
    enum class ContentModel { Data, RcData, RawText, ScriptData, PlainText };

    explicit Tokenizer(std::string_view text);  // the text must outlive the tokenizer
    ~Tokenizer();

    // Fills `token` with the next token; after the end of the text, EndOfFile every time.
    void next(Token& token);

    // Takes effect for the text after the last token returned.
    void setContentModel(ContentModel model);
    // The name an end tag must have to close RCDATA, RAWTEXT or script data (set automatically
    // by every start tag; tests set it directly).
    void setLastStartTag(std::string_view name);
    // True while the adjusted current node is not an HTML element: "<![CDATA[" opens a CDATA section.
    void setForeignContent(bool foreign);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tarn::html
