#include "contracts/host/Node.h"

#include "hostlibs/dom/CharacterData.h"
#include "hostlibs/dom/DocumentStore.h"
#include "contracts/host/Document.h"
#include "contracts/host/Element.h"

namespace {
// The document itself lives outside its arena.
constexpr std::uint32_t DOCUMENT_REF = 0xFFFFFFFFu;
}  // namespace

// The sizes the references buy; a page of 100 000 links holds a few hundred thousand of them.
static_assert(sizeof(Element) == 48);
static_assert(sizeof(Text) == 32);
static_assert(sizeof(Attr) == 32);

// Every node but the document lives in its document's arena.
Document* Node::homeDocument() const {
    if (type_ == DOCUMENT_NODE)
        return static_cast<Document*>(const_cast<Node*>(this));
    return static_cast<Document*>(tarn::dom::Arena::ownerOf(this));
}

Node* Node::resolve(Ref ref) const {
    Document* home = homeDocument();
    if (ref == DOCUMENT_REF)
        return home;
    return static_cast<Node*>(home->store().arena().at(ref));
}

Node::Ref Node::refOf(const Node* n) const {
    return n->type_ == DOCUMENT_NODE ? DOCUMENT_REF : tarn::dom::Arena::refOf(n);
}

Document* Node::getOwnerDocument() const {
    return removed_ || type_ == DOCUMENT_NODE ? nullptr : homeDocument();
}

Node* Node::getLastChild() const {
    return first_ ? node(node(first_)->prev_) : nullptr;
}

// The first child's back link names the last child, whose forward link is empty.
Node* Node::getPreviousSibling() const {
    Node* p = node(prev_);
    return p && p->next_ ? p : nullptr;
}

void Node::appendChild(Node* child) {
    // A child already names this node: no search for its reference.
    const Ref self = first_ ? node(first_)->parent_ : refOf(this);
    const Ref ref = refOf(child);
    child->parent_ = self;
    child->next_ = 0;
    if (!first_) {
        first_ = ref;
        child->prev_ = ref;
        return;
    }
    Node* first = node(first_);
    child->prev_ = first->prev_;
    node(first->prev_)->next_ = ref;
    first->prev_ = ref;
}

void Node::insertBefore(Node* child, Node* reference) {
    const Ref ref = refOf(child);
    const bool atFront = node(first_) == reference;
    Node* before = atFront ? nullptr : node(reference->prev_);
    child->parent_ = reference->parent_;
    child->prev_ = reference->prev_;
    child->next_ = atFront ? first_ : before->next_;
    (atFront ? first_ : before->next_) = ref;
    reference->prev_ = ref;
}

void Node::unlink() {
    if (!parent_)
        return;
    Node* parent = node(parent_);
    Node* first = node(parent->first_);
    Node* next = node(next_);
    if (first == this) {
        parent->first_ = next_;
        if (next)
            next->prev_ = prev_;
    } else {
        node(prev_)->next_ = next_;
        (next ? next : first)->prev_ = prev_;
    }
    parent_ = prev_ = next_ = 0;
}
