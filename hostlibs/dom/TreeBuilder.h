#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <unordered_map>
#include <string_view>
#include <vector>

#include "hostlibs/dom/NameMap.h"
#include "hostlibs/dom/html/Tokenizer.h"
#include "contracts/host/Element.h"

namespace tarn::dom {

class DocumentStore;

// Builds the tree of a document from its text, in source order. The rules are those of the WHATWG
// tree construction where they keep the source's nesting: implied end tags (p, li, dd, dt, option,
// optgroup, table parts, ruby parts, headings, a nested a), implied html, head and body, void
// and raw-text elements, SVG and MathML content. There is no foster parenting and no cloning of
// formatting elements: an end tag closes the nearest open element of its name unless a scope
// boundary lies between (then it is ignored), and stray end tags are ignored.
class TreeBuilder {
public:
    explicit TreeBuilder(Document& document);
    void run();

private:
    // The sets of elements that end the search for an open element to close. Each open element
    // knows the nearest element of each set at or below it, and each tag name the places where it
    // is open, so that every search takes constant time however deep the page nests.
    enum Scope {
        DEFAULT_SCOPE,     // table, td, th, caption, html, template, object, applet, marquee
        BUTTON_SCOPE,      // the default ones and button (closing a p)
        LIST_ITEM_SCOPE,   // the default ones and ol, ul (</li>)
        LIST_SEARCH,       // special elements other than address, div, p (closing li, dd, dt)
        ROW_SEARCH,        // table, thead, tbody, tfoot, html, template (closing tr)
        CELL_SEARCH,       // tr and the row ones (closing td, th)
        SECTION_SEARCH,    // table, html, template (closing table sections)
        TABLE_SCOPE,       // html, table, template (table parts' end tags)
        TEMPLATE_SCOPE,    // html, template (</table>)
        SCOPE_COUNT
    };

    struct Open {
        Element* element;
        std::uint32_t rules;               // TagRule flags, and the integration-point flags
        std::vector<int>* positions;       // where elements of its name are open
        std::array<int, SCOPE_COUNT> stop; // index of the nearest element of each set, -1 when none
    };

    void onText(const html::Token& t);
    void onComment(const html::Token& t);
    void onDoctype(const html::Token& t);
    void onStartTag(const html::Token& t);
    void onEndTag(const html::Token& t);

    void insertHtml(const html::Token& t, std::string_view name, std::uint32_t rules);
    void insertForeign(const html::Token& t, ElementNamespace ns);
    Element* createElement(const html::Token& t, ElementNamespace ns, std::string_view domName);
    Element* implyElement(std::string_view domName, std::uint32_t at);
    void push(Element* e, std::uint32_t rules);
    Node& currentNode();

    void ensureHtml(std::uint32_t at);
    void ensureHead(std::uint32_t at);
    void ensureBody(std::uint32_t at);
    void closeImpliedBy(std::string_view name, std::uint32_t rules, std::uint32_t at);

    // Index in the stack of the nearest open element with one of `names` (lower case) when no
    // element of the `scope` set lies above it; -1 otherwise.
    int find(std::initializer_list<std::string_view> names, Scope scope) const;
    static bool stops(Scope scope, const Element* e, std::string_view lowerName, std::uint32_t rules);
    // Closes the elements above `index` by implication at `at`, then the one at `index`.
    void popTo(int index, std::uint32_t at);
    void popTo(int index, const html::Token& endTag);
    int indexOf(const Element* e) const;

    bool currentIsForeign() const;
    bool foreignStartTag(const html::Token& t) const;

    Document& doc_;
    DocumentStore& store_;
    std::string_view text_;
    html::Tokenizer tokenizer_;
    std::vector<Open> open_;
    NameMap<std::vector<int>> positions_;
    Element* html_ = nullptr;
    Element* head_ = nullptr;
    Element* body_ = nullptr;  // body or frameset
    bool sawContent_ = false;  // an element or non-white-space text came: a doctype is no longer one
    std::string nameBuffer_;
};

}  // namespace tarn::dom
