#include "hostlibs/dom/TreeBuilder.h"

#include <algorithm>

#include "hostlibs/dom/CharacterData.h"
#include "hostlibs/dom/charset/AsciiText.h"
#include "hostlibs/dom/DocumentStore.h"
#include "hostlibs/dom/TreeRules.h"
#include "contracts/host/Document.h"

namespace tarn::dom {
namespace {

using html::Token;
using html::TokenKind;
using ContentModel = html::Tokenizer::ContentModel;

// Flags of open SVG and MathML elements, beside the TagRule flags of HTML ones.
constexpr std::uint32_t HTML_INTEGRATION = 1u << 30;  // its content is HTML again
constexpr std::uint32_t TEXT_INTEGRATION = 1u << 31;  // MathML token elements

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return charset::toAsciiLower(x) == charset::toAsciiLower(y);
    });
}

bool isHtml(const Element* e, std::string_view lowerName) {
    return e->elementNamespace() == ElementNamespace::Html && equalsIgnoreCase(e->kind().name, lowerName);
}

template <class... Names>
bool isHtmlAny(const Element* e, Names... names) {
    return (isHtml(e, names) || ...);
}

bool isWhitespace(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
    });
}

// The text reads as `data` once its CR LF and lone CR are read as LF.
bool equalsAfterLineBreaks(std::string_view text, std::string_view data) {
    std::size_t i = 0, j = 0;
    while (i < text.size() && j < data.size()) {
        if (text[i] == '\r') {
            if (data[j] != '\n')
                return false;
            i += i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
            ++j;
        } else if (text[i++] != data[j++]) {
            return false;
        }
    }
    return i == text.size() && j == data.size();
}

std::string_view svgTagName(std::string_view lower) {
    static constexpr std::string_view kNames[] = {
        "altGlyph", "altGlyphDef", "altGlyphItem", "animateColor", "animateMotion",
        "animateTransform", "clipPath", "feBlend", "feColorMatrix", "feComponentTransfer",
        "feComposite", "feConvolveMatrix", "feDiffuseLighting", "feDisplacementMap",
        "feDistantLight", "feDropShadow", "feFlood", "feFuncA", "feFuncB", "feFuncG", "feFuncR",
        "feGaussianBlur", "feImage", "feMerge", "feMergeNode", "feMorphology", "feOffset",
        "fePointLight", "feSpecularLighting", "feSpotLight", "feTile", "feTurbulence",
        "foreignObject", "glyphRef", "linearGradient", "radialGradient", "textPath"};
    for (std::string_view n : kNames)
        if (equalsIgnoreCase(n, lower))
            return n;
    return lower;
}

}  // namespace

TreeBuilder::TreeBuilder(Document& document)
    : doc_(document), store_(document.store()), text_(store_.text()), tokenizer_(text_) {}

void TreeBuilder::run() {
    Token t;
    for (;;) {
        tokenizer_.setForeignContent(currentIsForeign());
        tokenizer_.next(t);
        switch (t.kind) {
        case TokenKind::Characters: onText(t); break;
        case TokenKind::Comment: onComment(t); break;
        case TokenKind::Doctype: onDoctype(t); break;
        case TokenKind::StartTag: onStartTag(t); break;
        case TokenKind::EndTag: onEndTag(t); break;
        case TokenKind::EndOfFile:
            if (!open_.empty())
                popTo(0, static_cast<std::uint32_t>(text_.size()));
            return;
        }
    }
}

Node& TreeBuilder::currentNode() {
    return open_.empty() ? static_cast<Node&>(doc_) : *open_.back().element;
}

bool TreeBuilder::currentIsForeign() const {
    return !open_.empty() && open_.back().element->elementNamespace() != ElementNamespace::Html;
}

// Whether a start tag stays in the SVG or MathML content that is open.
bool TreeBuilder::foreignStartTag(const Token& t) const {
    if (!currentIsForeign())
        return false;
    const Open& top = open_.back();
    if (top.rules & TEXT_INTEGRATION)
        return t.name == "mglyph" || t.name == "malignmark";
    if (top.element->elementNamespace() == ElementNamespace::MathMl && top.element->kind().name == "annotation-xml" &&
        t.name == "svg")
        return true;
    return !(top.rules & HTML_INTEGRATION);
}

void TreeBuilder::onText(const Token& t) {
    const bool rawParent = !open_.empty() && !currentIsForeign() &&
                           (open_.back().rules & (RAW_TEXT | RC_DATA | SCRIPT_DATA | PLAIN_TEXT));
    if (!isWhitespace(t.data)) {
        sawContent_ = true;
        if (!rawParent && !body_)
            ensureBody(t.span.begin);
    }
    std::string_view source = store_.slice(t.span);
    Arena::Ref cooked = Arena::NONE;
    bool lineBreaks = false;
    if (source != t.data) {
        lineBreaks = equalsAfterLineBreaks(source, t.data);
        if (!lineBreaks)
            cooked = store_.addString(t.data);
    }
    currentNode().appendChild(store_.makeWithRoom<Text>(CharacterData::roomAfter(cooked), t.span, cooked, lineBreaks));
}

void TreeBuilder::onComment(const Token& t) {
    const Arena::Ref data = store_.addString(t.data);
    currentNode().appendChild(store_.makeWithRoom<Comment>(CharacterData::roomAfter(data), t.span, data));
}

void TreeBuilder::onDoctype(const Token& t) {
    if (sawContent_ || html_)
        return;
    const Arena::Ref name = store_.addString(t.name);
    doc_.appendChild(store_.makeWithRoom<DocumentType>(CharacterData::roomAfter(name), t.span, name));
}

void TreeBuilder::onStartTag(const Token& t) {
    const std::uint32_t at = t.span.begin;
    if (foreignStartTag(t)) {
        bool leaves = (tagRules(t.name) & LEAVES_FOREIGN) ||
                      (t.name == "font" && std::any_of(t.attributes.begin(), t.attributes.end(), [](const auto& a) {
                           return a.name == "color" || a.name == "face" || a.name == "size";
                       }));
        if (!leaves) {
            bool svgRoot = t.name == "svg" && open_.back().element->kind().name == "annotation-xml";
            insertForeign(t, svgRoot ? ElementNamespace::Svg : open_.back().element->elementNamespace());
            return;
        }
        while (currentIsForeign() && !(open_.back().rules & (HTML_INTEGRATION | TEXT_INTEGRATION)))
            popTo(static_cast<int>(open_.size()) - 1, at);
    }

    // The standard's old alias: the DOM reports an IMG.
    const std::string_view name = t.name == "image" ? std::string_view("img") : std::string_view(t.name);
    const std::uint32_t rules = tagRules(name);

    // A second html, head or body tag adds no element.
    if (name == "html") {
        if (!html_) {
            html_ = createElement(t, ElementNamespace::Html, "HTML");
            doc_.appendChild(html_);
            push(html_, rules);
        }
        return;
    }
    if (name == "head") {
        if (!head_ && !body_) {
            ensureHtml(at);
            head_ = createElement(t, ElementNamespace::Html, "HEAD");
            currentNode().appendChild(head_);
            push(head_, rules);
        }
        return;
    }
    if ((name == "body" || name == "frameset") && !body_) {
        ensureHtml(at);
        if (int h = indexOf(head_); h >= 0)
            popTo(h, at);
        body_ = createElement(t, ElementNamespace::Html, name == "body" ? "BODY" : "FRAMESET");
        currentNode().appendChild(body_);
        push(body_, rules);
        return;
    }
    if (name == "body")
        return;

    if (!body_) {
        if (rules & HEAD_CONTENT)
            ensureHead(at);
        else
            ensureBody(at);
    }
    closeImpliedBy(name, rules, at);
    if (name == "svg")
        insertForeign(t, ElementNamespace::Svg);
    else if (name == "math")
        insertForeign(t, ElementNamespace::MathMl);
    else
        insertHtml(t, name, rules);
}

void TreeBuilder::onEndTag(const Token& t) {
    const std::string_view name = t.name;
    if (name == "body" || name == "html") {
        Element* target = name == "body" ? body_ : html_;
        if (int i = indexOf(target); i >= 0 && isHtml(target, name))
            popTo(i, t);
        return;
    }
    const std::uint32_t rules = tagRules(name);
    int i;
    if (rules & HEADING)
        i = find({"h1", "h2", "h3", "h4", "h5", "h6"}, DEFAULT_SCOPE);
    else if (name == "table")
        i = find({name}, TEMPLATE_SCOPE);
    else if (rules & TABLE_PART)
        i = find({name}, TABLE_SCOPE);
    else
        i = find({name}, name == "p" ? BUTTON_SCOPE : name == "li" ? LIST_ITEM_SCOPE : DEFAULT_SCOPE);
    if (i >= 0)
        popTo(i, t);
}

void TreeBuilder::closeImpliedBy(std::string_view name, std::uint32_t rules, std::uint32_t at) {
    auto top = [&] { return open_.empty() ? nullptr : open_.back().element; };
    auto popTop = [&] { popTo(static_cast<int>(open_.size()) - 1, at); };
    auto close = [&](int i) {
        if (i >= 0)
            popTo(i, at);
    };

    if (name == "li")
        close(find({"li"}, LIST_SEARCH));
    else if (name == "dd" || name == "dt")
        close(find({"dd", "dt"}, LIST_SEARCH));
    if (rules & CLOSES_P)
        close(find({"p"}, BUTTON_SCOPE));
    if ((rules & HEADING) && top() && (open_.back().rules & HEADING) && !currentIsForeign())
        popTop();
    if (name == "option" || name == "optgroup") {
        if (top() && isHtml(top(), "option"))
            popTop();
        if (name == "optgroup" && top() && isHtml(top(), "optgroup"))
            popTop();
    }
    if (name == "a" || name == "button")
        close(find({name}, DEFAULT_SCOPE));
    if (name == "tr") {
        close(find({"tr", "colgroup", "caption"}, ROW_SEARCH));
    } else if (name == "td" || name == "th") {
        close(find({"td", "th", "colgroup", "caption"}, CELL_SEARCH));
    } else if (name == "thead" || name == "tbody" || name == "tfoot") {
        close(find({"thead", "tbody", "tfoot", "colgroup", "caption"}, SECTION_SEARCH));
    } else if (name == "caption" || name == "colgroup") {
        int table = find({"table"}, TEMPLATE_SCOPE);
        if (table >= 0 && table + 1 < static_cast<int>(open_.size()))
            popTo(table + 1, at);
    }
    if (name == "rb" || name == "rtc") {
        while (top() && isHtmlAny(top(), "rb", "rp", "rt", "rtc"))
            popTop();
    } else if (name == "rp" || name == "rt") {
        while (top() && isHtmlAny(top(), "rb", "rp", "rt"))
            popTop();
    }
}

void TreeBuilder::insertHtml(const Token& t, std::string_view name, std::uint32_t rules) {
    nameBuffer_.assign(name);
    for (char& c : nameBuffer_)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    Element* e = createElement(t, ElementNamespace::Html, nameBuffer_);
    currentNode().appendChild(e);
    if (rules & VOID_ELEMENT)
        return;
    push(e, rules);
    if (rules & SCRIPT_DATA)
        tokenizer_.setContentModel(ContentModel::ScriptData);
    else if (rules & RAW_TEXT)
        tokenizer_.setContentModel(ContentModel::RawText);
    else if (rules & RC_DATA)
        tokenizer_.setContentModel(ContentModel::RcData);
    else if (rules & PLAIN_TEXT)
        tokenizer_.setContentModel(ContentModel::PlainText);
}

void TreeBuilder::insertForeign(const Token& t, ElementNamespace ns) {
    std::string_view domName = ns == ElementNamespace::Svg ? svgTagName(t.name) : std::string_view(t.name);
    Element* e = createElement(t, ns, domName);
    currentNode().appendChild(e);
    if (t.selfClosing)
        return;
    std::uint32_t rules = 0;
    if (ns == ElementNamespace::Svg && (domName == "foreignObject" || domName == "desc" || domName == "title"))
        rules = HTML_INTEGRATION | SCOPE_BOUNDARY;
    if (ns == ElementNamespace::MathMl) {
        if (domName == "mi" || domName == "mo" || domName == "mn" || domName == "ms" || domName == "mtext")
            rules = TEXT_INTEGRATION | SCOPE_BOUNDARY;
        if (domName == "annotation-xml") {
            const Attr* enc = e->findAttribute("encoding");
            if (enc && (equalsIgnoreCase(enc->valueUtf8(), "text/html") ||
                        equalsIgnoreCase(enc->valueUtf8(), "application/xhtml+xml")))
                rules = HTML_INTEGRATION | SCOPE_BOUNDARY;
        }
    }
    push(e, rules);
}

Element* TreeBuilder::createElement(const Token& t, ElementNamespace ns, std::string_view domName) {
    auto* e = store_.make<Element>(store_.kindFor(domName), ns);
    e->setStartTag(t.span, false);
    if (!t.attributes.empty()) {
        const auto count = static_cast<std::uint32_t>(t.attributes.size());
        Attr* attrs = store_.makeArray<Attr>(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            const html::AttributeToken& a = t.attributes[i];
            attrs[i] = Attr::parsed(e, a.nameSpan, a.valueSpan, a.name, a.value, a.quote, a.hasValue);
        }
        e->setAttributes(attrs, count);
    }
    sawContent_ = true;
    return e;
}

Element* TreeBuilder::implyElement(std::string_view domName, std::uint32_t at) {
    auto* e = store_.make<Element>(store_.kindFor(domName), ElementNamespace::Html);
    e->setStartTag({at, at}, true);
    return e;
}

void TreeBuilder::push(Element* e, std::uint32_t rules) {
    nameBuffer_ = charset::toAsciiLower(e->kind().name);
    auto it = positions_.find(std::string_view(nameBuffer_));
    if (it == positions_.end())
        it = positions_.emplace(nameBuffer_, std::vector<int>{}).first;
    const int index = static_cast<int>(open_.size());
    it->second.push_back(index);
    Open entry{e, rules, &it->second, {}};
    for (int s = 0; s < SCOPE_COUNT; ++s) {
        auto scope = static_cast<Scope>(s);
        entry.stop[s] = stops(scope, e, nameBuffer_, rules) ? index : index ? open_.back().stop[s] : -1;
    }
    open_.push_back(entry);
}

bool TreeBuilder::stops(Scope scope, const Element* e, std::string_view n, std::uint32_t rules) {
    // A foreign island's way back to HTML ends every search, as a table does for its cells.
    if (rules & (HTML_INTEGRATION | TEXT_INTEGRATION))
        return true;
    if (e->elementNamespace() != ElementNamespace::Html)
        return false;
    auto any = [&](std::initializer_list<std::string_view> names) {
        return std::find(names.begin(), names.end(), n) != names.end();
    };
    switch (scope) {
    case DEFAULT_SCOPE: return rules & SCOPE_BOUNDARY;
    case BUTTON_SCOPE: return (rules & SCOPE_BOUNDARY) || n == "button";
    case LIST_ITEM_SCOPE: return (rules & SCOPE_BOUNDARY) || n == "ol" || n == "ul";
    case LIST_SEARCH: return (rules & SPECIAL) && !any({"address", "div", "p"});
    case ROW_SEARCH: return any({"table", "thead", "tbody", "tfoot", "html", "template"});
    case CELL_SEARCH: return any({"tr", "table", "thead", "tbody", "tfoot", "html", "template"});
    case SECTION_SEARCH: return any({"table", "html", "template"});
    case TABLE_SCOPE: return any({"html", "table", "template"});
    case TEMPLATE_SCOPE: return any({"html", "template"});
    case SCOPE_COUNT: break;
    }
    return false;
}

void TreeBuilder::ensureHtml(std::uint32_t at) {
    if (html_)
        return;
    html_ = implyElement("HTML", at);
    doc_.appendChild(html_);
    push(html_, tagRules("html"));
}

void TreeBuilder::ensureHead(std::uint32_t at) {
    ensureHtml(at);
    if (head_)
        return;
    head_ = implyElement("HEAD", at);
    currentNode().appendChild(head_);
    push(head_, tagRules("head"));
}

void TreeBuilder::ensureBody(std::uint32_t at) {
    if (body_)
        return;
    ensureHtml(at);
    if (int h = indexOf(head_); h >= 0)
        popTo(h, at);
    body_ = implyElement("BODY", at);
    currentNode().appendChild(body_);
    push(body_, tagRules("body"));
}

int TreeBuilder::find(std::initializer_list<std::string_view> names, Scope scope) const {
    int best = -1;
    for (std::string_view name : names)
        if (auto it = positions_.find(name); it != positions_.end() && !it->second.empty())
            best = std::max(best, it->second.back());
    // An element that is itself in the set is still found: only elements above it stop the search.
    return best >= 0 && best >= open_.back().stop[scope] ? best : -1;
}

int TreeBuilder::indexOf(const Element* e) const {
    if (!e)
        return -1;
    auto it = positions_.find(std::string_view(charset::toAsciiLower(e->kind().name)));
    if (it == positions_.end() || it->second.empty())
        return -1;
    int i = it->second.back();
    return open_[static_cast<std::size_t>(i)].element == e ? i : -1;
}

void TreeBuilder::popTo(int index, std::uint32_t at) {
    for (int i = static_cast<int>(open_.size()) - 1; i >= index; --i) {
        open_[i].element->close(at);
        open_[i].positions->pop_back();
    }
    open_.resize(static_cast<std::size_t>(index));
}

void TreeBuilder::popTo(int index, const Token& endTag) {
    Element* target = open_[static_cast<std::size_t>(index)].element;
    popTo(index, endTag.span.begin);
    target->close(endTag.span);
}

}  // namespace tarn::dom
