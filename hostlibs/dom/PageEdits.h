#pragma once
#include <string>
#include <vector>

#include "module/host/SourceSpan.h"

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

// The part of an edited start tag from the end of its name to the end of its last attribute as
// written, made anew: untouched attributes as written (with the space before them), set values
// quoted and escaped, removed attributes gone with the space before them, added ones at the end.
TextEdit rewriteStartTag(const Element& element);

// An attribute value written so that it reads back as `value` and cannot end the value or the tag:
// in `quote` where that is a quote character; unquoted (quote 0) only when the value needs no
// quotes, else in double quotes.
std::string quoteAttributeValue(std::string_view value, char quote);

}  // namespace tarn::dom
