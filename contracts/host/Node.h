#pragma once
#include <cstdint>

class Document;

// A node of a page's document tree. Nodes live in their document's arena and are freed with it,
// all at once and never recursively, so a tree of any depth is built, walked and freed safely.
// A node names its neighbours by 32-bit references into that arena, a first child's back link
// names the last child, only the nodes that have children (elements and the document) keep a link
// to them, the arena tells a node its document from the node's address, and a node's class keeps
// its flags in the node's one spare byte: a text node takes 24 bytes and an element 48.
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

    unsigned short getNodeType() const { return type_; }
    // The document the node belongs to; null for the document itself and for a node that an
    // edit removed from the page.
    Document* getOwnerDocument() const;

    Node* getParentNode() const { return node(parent_); }
    Node* getFirstChild() const;
    Node* getLastChild() const;
    Node* getNextSibling() const { return node(next_); }
    Node* getPreviousSibling() const;

    // Host side: tree building and edits.
    void appendChild(Node* child);
    void insertBefore(Node* child, Node* reference);  // `reference` is a child of this node
    void unlink();  // leaves its parent; keeps its own subtree
    // The document whose text the node was parsed from, even after it was removed.
    Document* homeDocument() const;
    bool isRemoved() const { return hasFlag(REMOVED); }
    void markRemoved() { setFlag(REMOVED, true); }

protected:
    explicit Node(unsigned short type) : type_(static_cast<std::uint8_t>(type)) {}
    // Nodes are released with their arena; a document is deleted as a Document.
    ~Node() = default;

    // The flags byte: the node's own flag, and six bits from FIRST_CLASS_FLAG up for its class.
    enum : std::uint8_t { REMOVED = 1, FIRST_CLASS_FLAG = 2 };
    bool hasFlag(std::uint8_t flag) const { return (flags_ & flag) != 0; }
    void setFlag(std::uint8_t flag, bool on) {
        flags_ = static_cast<std::uint8_t>(on ? flags_ | flag : flags_ & ~flag);
    }
    std::uint8_t flagBits(std::uint8_t mask, unsigned shift) const {
        return static_cast<std::uint8_t>((flags_ & mask) >> shift);
    }
    void setFlagBits(std::uint8_t mask, unsigned shift, std::uint8_t value) {
        flags_ = static_cast<std::uint8_t>((flags_ & ~mask) | ((value << shift) & mask));
    }

private:
    using Ref = std::uint32_t;
    Node* node(Ref ref) const { return ref ? resolve(ref) : nullptr; }
    Node* resolve(Ref ref) const;
    Ref refOf(const Node* n) const;
    // Where an element or the document keeps its first child; null for the nodes that have none.
    Ref* firstChildRef();
    const Ref* firstChildRef() const { return const_cast<Node*>(this)->firstChildRef(); }

    Ref parent_ = 0;
    Ref prev_ = 0;  // of the first child: the last child
    Ref next_ = 0;
    std::uint8_t type_;
    std::uint8_t flags_ = 0;
};
