#pragma once

class Document;

// A node of a page's document tree. Nodes live in their document's arena and are freed with it,
// all at once and never recursively, so a tree of any depth is built, walked and freed safely.
class Node {
public:
    enum : unsigned short {
        ELEMENT_NODE = 1,
        TEXT_NODE = 3,
        COMMENT_NODE = 8,
        DOCUMENT_NODE = 9,
        DOCUMENT_TYPE_NODE = 10,
    };

    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    virtual ~Node() = default;

    virtual unsigned short getNodeType() const = 0;
    // The document the node belongs to; null for the document itself and for a node that an
    // edit removed from the page.
    virtual Document* getOwnerDocument() const;

    Node* getParentNode() const { return parent_; }
    Node* getFirstChild() const { return firstChild_; }
    Node* getLastChild() const { return lastChild_; }
    Node* getNextSibling() const { return next_; }
    Node* getPreviousSibling() const { return prev_; }

    // Host side: tree building and edits.
    void appendChild(Node* child);
    void insertBefore(Node* child, Node* reference);  // `reference` is a child of this node
    void unlink();  // leaves its parent; keeps its own subtree
    // The document whose text the node was parsed from, even after it was removed.
    Document* homeDocument() const { return home_; }
    bool isRemoved() const { return removed_; }
    void markRemoved() { removed_ = true; }

protected:
    explicit Node(Document* home) : home_(home) {}

private:
    Document* home_;
    Node* parent_ = nullptr;
    Node* firstChild_ = nullptr;
    Node* lastChild_ = nullptr;
    Node* prev_ = nullptr;
    Node* next_ = nullptr;
    bool removed_ = false;  // last, so that derived classes can use the padding after it
};
