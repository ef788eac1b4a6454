#include "hostlibs/dom/PageEdits.h"

#include <algorithm>

#include "hostlibs/dom/DocumentStore.h"
#include "contracts/host/Document.h"
#include "contracts/host/Element.h"

namespace tarn::dom {
namespace {

bool needsQuotes(std::string_view value) {
    return value.empty() || value.find_first_of(" \t\n\f\r\"'=<>`") != std::string_view::npos;
}

// Where the tag name ends, as the tokenizer reads it.
std::uint32_t tagNameEnd(std::string_view text, SourceSpan tag) {
    std::uint32_t at = tag.begin + 1;
    while (at < tag.end && std::string_view(" \t\n\f\r/>").find(text[at]) == std::string_view::npos)
        ++at;
    return at;
}

// Whether the text at `at` ends what stands before it in a tag: one of `delimiters` or the end.
bool delimitsAt(std::string_view text, std::uint32_t at, std::string_view delimiters) {
    return at >= text.size() || delimiters.find(text[at]) != std::string_view::npos;
}

}  // namespace

std::string quoteAttributeValue(std::string_view value, char quote) {
    if (quote != '"' && quote != '\'')
        quote = needsQuotes(value) ? '"' : 0;
    std::string out;
    out.reserve(value.size() + 2);
    if (quote)
        out += quote;
    for (char c : value) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += quote == '"' ? "&quot;" : "\""; break;
        case '\'': out += quote == '\'' ? "&#39;" : "'"; break;
        // Line breaks as references keep the tag on its line and a CR from reading as LF.
        case '\r': out += "&#13;"; break;
        case '\n': out += "&#10;"; break;
        // No reference gives U+0000 back; a reader of the page sees the replacement character.
        case '\0': out += "&#xFFFD;"; break;
        default: out += c; break;
        }
    }
    if (quote)
        out += quote;
    return out;
}

void rewriteStartTag(const Element& element, std::vector<TextEdit>& edits) {
    const std::string_view text = element.homeDocument()->store().text();
    std::uint32_t previousEnd = tagNameEnd(text, element.startTagSpan());
    // The last attribute kept is written "name=" with nothing after: whatever follows it would be its value.
    bool endsBare = false;
    for (const Attr& a : element.attributes()) {
        if (a.isInserted())
            continue;
        const SourceSpan whole = a.wholeSpan();
        // A removed attribute goes with the white space before it; an attribute written right after
        // its quoted value keeps a space, or it would join what stands before.
        if (a.isRemoved()) {
            edits.push_back({{previousEnd, whole.end}, delimitsAt(text, whole.end, " \t\n\f\r/>") ? "" : " "});
        } else if (a.isEdited()) {
            // An unquoted value runs up to white space or '>' ("<a href/>" given a value): before
            // anything else it is quoted.
            const char quote = a.quote() == 0 && !delimitsAt(text, whole.end, " \t\n\f\r>") ? '"' : a.quote();
            const std::string value = quoteAttributeValue(a.valueUtf8(), quote);
            // Only the value and its quotes change: the space around '=' stays as the page has it. A value
            // written in the page starts after the name and its '='.
            if (a.valueSpan().begin > a.nameSpan().end)
                edits.push_back({{a.valueSpan().begin - (a.quote() ? 1 : 0), whole.end}, value});
            else
                edits.push_back({{a.nameSpan().end, whole.end}, '=' + value});
            endsBare = false;
        } else {
            endsBare = whole.end > whole.begin && text[whole.end - 1] == '=';
        }
        previousEnd = whole.end;
    }
    std::string added;
    for (const Attr& a : element.attributes()) {
        if (!a.isInserted() || a.isRemoved())
            continue;
        added += ' ';
        added += a.nameUtf8();
        added += '=';
        added += quoteAttributeValue(a.valueUtf8(), '"');
    }
    if (!added.empty())
        edits.push_back({{previousEnd, previousEnd}, (endsBare ? "\"\"" : "") + std::move(added)});
}

std::vector<TextEdit> collectEdits(const Document& document) {
    std::vector<TextEdit> edits;
    for (SourceSpan removal : document.removals())
        edits.push_back({removal, {}});
    for (const Element* element : document.editedTags())
        if (!element->isImplied())
            rewriteStartTag(*element, edits);
    // Removals first where spans start together, so that what lies inside them is dropped.
    std::stable_sort(edits.begin(), edits.end(), [](const TextEdit& a, const TextEdit& b) {
        return a.span.begin != b.span.begin ? a.span.begin < b.span.begin : a.span.end > b.span.end;
    });
    std::vector<TextEdit> kept;
    for (TextEdit& edit : edits) {
        if (!kept.empty() && edit.span.begin < kept.back().span.end)
            continue;  // inside a removed node or tag
        kept.push_back(std::move(edit));
    }
    return kept;
}

}  // namespace tarn::dom
