#include "hostlibs/dom/TreeRules.h"

#include "hostlibs/dom/NameMap.h"

#include <string>
#include <unordered_map>

namespace tarn::dom {
namespace {

struct Rule {
    const char* names;  // space-separated
    std::uint32_t flags;
};

// The sets follow the WHATWG tree construction rules, reduced to what a tree in source order
// needs: no foster parenting, no reconstruction of formatting elements.
constexpr Rule kRules[] = {
    {"area base basefont bgsound br col embed frame hr image img input keygen link meta param "
     "source track wbr",
     VOID_ELEMENT},
    {"style xmp iframe noembed noframes", RAW_TEXT},
    {"title textarea", RC_DATA},
    {"script", SCRIPT_DATA},
    {"plaintext", PLAIN_TEXT},
    {"address article aside blockquote center details dialog dir div dl fieldset figcaption "
     "figure footer header hgroup main menu nav ol p search section summary ul h1 h2 h3 h4 h5 h6 "
     "pre listing form plaintext table hr xmp li dd dt",
     CLOSES_P},
    {"address applet area article aside base basefont bgsound blockquote body br button caption "
     "center col colgroup dd details dir div dl dt embed fieldset figcaption figure footer form "
     "frame frameset h1 h2 h3 h4 h5 h6 head header hgroup hr html iframe img input keygen li link "
     "listing main marquee menu meta nav noembed noframes noscript object ol p param plaintext pre "
     "script search section select source style summary table tbody td template textarea tfoot "
     "th thead title tr track ul wbr xmp",
     SPECIAL},
    {"table td th caption html template object applet marquee", SCOPE_BOUNDARY},
    {"base basefont bgsound link meta noframes script style template title noscript", HEAD_CONTENT},
    {"h1 h2 h3 h4 h5 h6", HEADING},
    {"b big blockquote body br center code dd div dl dt em embed h1 h2 h3 h4 h5 h6 head hr i img "
     "li listing menu meta nobr ol p pre ruby s small span strong strike sub sup table tt u ul var",
     LEAVES_FOREIGN},
    {"tr td th tbody thead tfoot caption colgroup", TABLE_PART},
};

// Looked up by string_view: the parser asks once per tag, and should not copy the name to do it.
using RuleTable = NameMap<std::uint32_t>;

RuleTable buildTable() {
    RuleTable table;
    for (const Rule& rule : kRules) {
        std::string_view names = rule.names;
        while (!names.empty()) {
            auto space = names.find(' ');
            table[std::string(names.substr(0, space))] |= rule.flags;
            names = space == std::string_view::npos ? std::string_view{} : names.substr(space + 1);
        }
    }
    return table;
}

}  // namespace

std::uint32_t tagRules(std::string_view lowerName) {
    static const auto table = buildTable();
    auto it = table.find(lowerName);
    return it == table.end() ? 0 : it->second;
}

}  // namespace tarn::dom
