#include "module/host/Node.h"

Document* Node::getOwnerDocument() const {
    return removed_ ? nullptr : home_;
}

void Node::appendChild(Node* child) {
    child->parent_ = this;
    child->prev_ = lastChild_;
    child->next_ = nullptr;
    if (lastChild_)
        lastChild_->next_ = child;
    else
        firstChild_ = child;
    lastChild_ = child;
}

void Node::insertBefore(Node* child, Node* reference) {
    child->parent_ = this;
    child->next_ = reference;
    child->prev_ = reference->prev_;
    (reference->prev_ ? reference->prev_->next_ : firstChild_) = child;
    reference->prev_ = child;
}

void Node::unlink() {
    if (!parent_)
        return;
    (prev_ ? prev_->next_ : parent_->firstChild_) = next_;
    (next_ ? next_->prev_ : parent_->lastChild_) = prev_;
    parent_ = prev_ = next_ = nullptr;
}
