#pragma once
#include <string>
#include <vector>

#include "contracts/host/SourceSpan.h"

class Document;
class Element;

namespace tarn::dom {

// One change of the page's text: the text at `span` becomes `replacement` (UTF-8).
struct TextEdit {
    SourceSpan span;
    std::string replacement;
};

// Every change the document's edits make, in text order, none inside another: an edit within a
// removed span goes with it.
std::vector<TextEdit> collectEdits(const Document& document);

// The edits of an edited start tag, added to `edits`: a set value quoted and escaped after its
// name, a removed attribute gone with the space before it, added ones after the last attribute.
// The rest of the tag, the names of set attributes included, stays byte for byte as read, even
// where the page's bytes do not decode.
void rewriteStartTag(const Element& element, std::vector<TextEdit>& edits);

// An attribute value written so that it reads back as `value` and cannot end the value or the tag:
// in `quote` where that is a quote character; unquoted (quote 0) only when the value needs no
// quotes, else in double quotes.
std::string quoteAttributeValue(std::string_view value, char quote);

}  // namespace tarn::dom
