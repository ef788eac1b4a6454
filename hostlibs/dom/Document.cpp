#include "contracts/host/Document.h"

#include "hostlibs/dom/CharacterData.h"
#include "hostlibs/dom/DocumentStore.h"
#include "platform/win/Utf8.h"
#include "contracts/host/Element.h"

Document::Document(std::unique_ptr<tarn::dom::DocumentStore> store)
    : Node(DOCUMENT_NODE), store_(std::move(store)) {
    store_->setOwner(this);
}

Document::~Document() = default;

std::string_view Document::sourceText() const {
    return store_->text();
}

std::string_view Document::originalBytes() const {
    return store_->originalBytes();
}

SourcePosition Document::positionOf(std::uint32_t offset) const {
    return store_->positionOf(offset);
}

Node* Document::findNextNode(Node* current, Node* root, bool skipChildren, bool elementsOnly) const {
    Node* n = current;
    while (n) {
        if (!skipChildren && n->getFirstChild()) {
            n = n->getFirstChild();
        } else {
            while (n && n != root && !n->getNextSibling())
                n = n->getParentNode();
            if (!n || n == root)
                return nullptr;
            n = n->getNextSibling();
        }
        skipChildren = false;
        if (!elementsOnly || n->getNodeType() == ELEMENT_NODE)
            return n;
    }
    return nullptr;
}

void Document::setSourceCursor(Node* node, int where) {
    if (!node || node->getOwnerDocument() != this)
        return;
    std::uint32_t offset = 0;
    if (node->getNodeType() == ELEMENT_NODE) {
        auto* e = static_cast<Element*>(node);
        offset = where == 0 ? e->extent().begin : e->extent().end;
    } else if (CharacterData::holds(node)) {
        const SourceSpan span = static_cast<CharacterData*>(node)->sourceSpan();
        offset = where == 0 ? span.begin : span.end;
    }
    cursor_ = positionOf(offset);
}

Element* Document::getElementById(std::u16string_view id) const {
    if (!idsBuilt_) {
        auto* self = const_cast<Document*>(this);
        for (Node* n = findNextNode(self, self, false, true); n; n = findNextNode(n, self, false, true)) {
            auto* e = static_cast<Element*>(n);
            if (const Attr* a = e->findAttribute("id"))
                ids_.try_emplace(std::string(a->valueUtf8()), e);
        }
        idsBuilt_ = true;
    }
    auto it = ids_.find(win::EncodeUtf8(id));
    return it == ids_.end() ? nullptr : it->second;
}

namespace {

SourceSpan extentOf(Node* node) {
    if (node->getNodeType() == Node::ELEMENT_NODE)
        return static_cast<Element*>(node)->extent();
    if (CharacterData::holds(node))
        return static_cast<CharacterData*>(node)->sourceSpan();
    return {};
}

}  // namespace

Node* Document::deleteNodes(Node* node) {
    if (!node || node == this || node->getOwnerDocument() != this)
        return node;
    removals_.push_back(extentOf(node));
    node->unlink();
    // The whole subtree leaves the document, walked without recursion.
    for (Node* n = node; n; n = findNextNode(n, node, false, false))
        n->markRemoved();
    forgetIds();
    return node;
}

bool Document::unwrapElement(Element* element) {
    if (!element || element->getOwnerDocument() != this || !element->getParentNode())
        return false;
    if (!element->startTagSpan().empty())
        removals_.push_back(element->startTagSpan());
    if (element->hasEndTag())
        removals_.push_back(element->endTagSpan());
    Node* parent = element->getParentNode();
    while (Node* child = element->getFirstChild()) {
        child->unlink();
        parent->insertBefore(child, element);
    }
    element->unlink();
    element->markRemoved();
    forgetIds();
    return true;
}
