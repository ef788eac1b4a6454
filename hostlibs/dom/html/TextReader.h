#pragma once
#include <string>
#include <string_view>

#include "hostlibs/dom/html/InputCursor.h"
#include "hostlibs/dom/html/Tokenizer.h"

namespace tarn::html {

// How the text between markup is read in the current content model.
struct TextContext {
    Tokenizer::ContentModel model = Tokenizer::ContentModel::Data;
    std::string_view lastStartTag;  // the end tag that closes RCDATA, RAWTEXT and script data
    bool foreign = false;           // "<![CDATA[" opens a CDATA section
};

// Appends the text under the cursor to `data`, character references resolved, up to the '<' of
// the next markup token. Returns true with the cursor on that '<', false at the end of the text.
// Markup that makes no token ("</>") and CDATA sections are read as part of the text.
bool readText(InputCursor& in, const TextContext& context, std::string& data);

// True when the cursor is on "</name" closing the element `lastStartTag` (any case), followed by
// whitespace, '/' or '>'.
bool atAppropriateEndTag(const InputCursor& in, std::string_view lastStartTag);

// Script data, with its escaped and double-escaped parts; as readText.
bool readScriptData(InputCursor& in, std::string_view lastStartTag, std::string& data);

}  // namespace tarn::html
