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
static_assert(sizeof(Text) == 24);
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
    return isRemoved() || type_ == DOCUMENT_NODE ? nullptr : homeDocument();
}

Node::Ref* Node::firstChildRef() {
    switch (type_) {
    case ELEMENT_NODE:
        return &static_cast<Element*>(this)->first_;
    case DOCUMENT_NODE:
        return &static_cast<Document*>(this)->first_;
    default:
        return nullptr;
    }
}

Node* Node::getFirstChild() const {
    const Ref* first = firstChildRef();
    return first ? node(*first) : nullptr;
}

Node* Node::getLastChild() const {
    Node* first = getFirstChild();
    return first ? node(first->prev_) : nullptr;
}

// The first child's back link names the last child, whose forward link is empty.
Node* Node::getPreviousSibling() const {
    Node* p = node(prev_);
    return p && p->next_ ? p : nullptr;
}

void Node::appendChild(Node* child) {
    Ref& firstRef = *firstChildRef();
    // A child already names this node: no search for its reference.
    const Ref self = firstRef ? node(firstRef)->parent_ : refOf(this);
    const Ref ref = refOf(child);
    child->parent_ = self;
    child->next_ = 0;
    if (!firstRef) {
        firstRef = ref;
        child->prev_ = ref;
        return;
    }
    Node* first = node(firstRef);
    child->prev_ = first->prev_;
    node(first->prev_)->next_ = ref;
    first->prev_ = ref;
}

void Node::insertBefore(Node* child, Node* reference) {
    Ref& firstRef = *firstChildRef();
    const Ref ref = refOf(child);
    const bool atFront = node(firstRef) == reference;
    Node* before = atFront ? nullptr : node(reference->prev_);
    child->parent_ = reference->parent_;
    child->prev_ = reference->prev_;
    child->next_ = atFront ? firstRef : before->next_;
    (atFront ? firstRef : before->next_) = ref;
    reference->prev_ = ref;
}

void Node::unlink() {
    if (!parent_)
        return;
    Ref& parentFirst = *node(parent_)->firstChildRef();
    Node* first = node(parentFirst);
    Node* next = node(next_);
    if (first == this) {
        parentFirst = next_;
        if (next)
            next->prev_ = prev_;
    } else {
        node(prev_)->next_ = next_;
        (next ? next : first)->prev_ = prev_;
    }
    parent_ = prev_ = next_ = 0;
}
