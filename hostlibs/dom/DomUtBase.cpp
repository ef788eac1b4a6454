#include "contracts/host/DomUtBase.h"

#include "hostlibs/dom/CharacterData.h"
#include "hostlibs/dom/DisplayText.h"
#include "hostlibs/dom/charset/AsciiText.h"
#include "hostlibs/dom/TreeRules.h"
#include "platform/win/Utf8.h"
#include "contracts/host/Document.h"
#include "contracts/host/Element.h"

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// Appends text with every run of white space collapsed to one space, or to one line break when
// the run holds a break and breaks are kept.
class CollapsedText {
public:
    explicit CollapsedText(bool keepBreaks) : keepBreaks_(keepBreaks) {}

    void append(std::string_view s) {
        for (char c : s) {
            if (isSpace(c)) {
                pending_ = pending_ == '\n' || (keepBreaks_ && (c == '\n' || c == '\r')) ? '\n' : ' ';
            } else {
                flush();
                out_.push_back(c);
            }
        }
    }
    void separate(char c) { pending_ = pending_ == '\n' ? '\n' : c; }
    std::string take() { flush(); return std::move(out_); }

private:
    void flush() {
        if (pending_)
            out_.push_back(pending_);
        pending_ = 0;
    }
    bool keepBreaks_;
    char pending_ = 0;
    std::string out_;
};

}  // namespace

CString DomUtBase::getFmtText(Element* element, bool imageAlt, bool keepBreaks) const {
    if (!element)
        return CString();
    CollapsedText text(keepBreaks);
    auto isBlock = [](const Element* e) {
        return e->elementNamespace() == ElementNamespace::Html &&
               (tarn::dom::tagRules(tarn::charset::toAsciiLower(e->kind().name)) & tarn::dom::SPECIAL);
    };
    // Walked without recursion; block boundaries, on the way in and out, read as a space.
    Node* n = element->getFirstChild();
    while (n) {
        bool descend = false;
        if (n->getNodeType() == Node::TEXT_NODE) {
            text.append(static_cast<Text*>(n)->dataUtf8());
        } else if (n->getNodeType() == Node::ELEMENT_NODE) {
            auto* e = static_cast<Element*>(n);
            const std::string& name = e->kind().name;
            const bool html = e->elementNamespace() == ElementNamespace::Html;
            if (html && name == "BR") {
                text.separate(keepBreaks ? '\n' : ' ');
            } else if (html && name == "IMG" && imageAlt) {
                if (const Attr* alt = e->findAttribute("alt"))
                    text.append(alt->valueUtf8());
            } else if (!(html && (name == "SCRIPT" || name == "STYLE" || name == "TEMPLATE"))) {
                // What a reader never sees adds nothing to the text; the rest is read.
                if (isBlock(e))
                    text.separate(' ');
                descend = n->getFirstChild() != nullptr;
            }
        }
        if (descend) {
            n = n->getFirstChild();
            continue;
        }
        while (n != element && !n->getNextSibling()) {
            n = n->getParentNode();
            if (n != element && isBlock(static_cast<Element*>(n)))
                text.separate(' ');
        }
        if (n == element)
            break;
        if (n->getNodeType() == Node::ELEMENT_NODE && isBlock(static_cast<Element*>(n)))
            text.separate(' ');
        n = n->getNextSibling();
    }
    return CString(win::DecodeUtf8(text.take()));
}

CString DomUtBase::getFmtData(const CString& text) const {
    return CString(tarn::dom::displayText(std::u16string_view(text.GetString(), text.GetLength()), true));
}

bool DomUtBase::deleteOnlySpecifiedNode(Node* node, bool) {
    if (!document_ || !node || node->getNodeType() != Node::ELEMENT_NODE)
        return false;
    return document_->unwrapElement(static_cast<Element*>(node));
}
