#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "contracts/host/SourceSpan.h"

#include "contracts/host/Node.h"

class Element;
namespace tarn::dom { class DocumentStore; }

// Where the editor's source cursor stands.
struct SourcePosition {
    std::uint32_t line = 0;    // 1-based
    std::uint32_t column = 0;  // 1-based, in characters
};

// One change of the page's bytes as written back: `length` bytes at `offset` of the bytes as read
// become `bytes`, in the page's own encoding.
struct ByteEdit {
    std::size_t offset = 0;
    std::size_t length = 0;
    std::string bytes;
};

// The page open in the editor: its tree and everything needed to write it back.
class Document : public Node {
public:
    explicit Document(std::unique_ptr<tarn::dom::DocumentStore> store);
    ~Document();

    // The node after `current` in document order, inside the subtree of `root`, children first;
    // null at the end. `skipChildren` steps over the children of `current`; `elementsOnly`
    // passes over every node that is not an element.
    Node* findNextNode(Node* current, Node* root, bool skipChildren, bool elementsOnly) const;
    // Moves the editor's source cursor to the start (`where` 0) or the end (any other value)
    // of the node's extent.
    void setSourceCursor(Node* node, int where);
    // Removes the node with everything inside it; it and its subtree belong to no document after.
    Node* deleteNodes(Node* node);

    // Host side.
    // Removes only the element's own tags; its children take its place in its parent.
    bool unwrapElement(Element* element);
    // The page's text with every edit applied (UTF-8), and the page's bytes written back in its own
    // encoding: outside the edited spans, byte for byte the page as read.
    std::string editedText() const;
    std::string writtenBytes() const;
    // The edits writtenBytes() makes, in byte order, none inside another: what a patch of the page holds.
    std::vector<ByteEdit> writtenEdits() const;
    const std::vector<SourceSpan>& removals() const { return removals_; }
    const std::vector<Element*>& editedTags() const { return editedTags_; }
    bool isEdited() const { return !removals_.empty() || !editedTags_.empty(); }
    void noteTagEdited(Element* element) { editedTags_.push_back(element); }
    void forgetIds() { ids_.clear(); idsBuilt_ = false; }
    Element* getElementById(std::u16string_view id) const;
    std::optional<SourcePosition> sourceCursor() const { return cursor_; }
    // Line and column of an offset of the page's text.
    SourcePosition positionOf(std::uint32_t offset) const;
    std::string_view sourceText() const;
    // The page's bytes as read, kept unchanged for the document's life.
    std::string_view originalBytes() const;
    tarn::dom::DocumentStore& store() const { return *store_; }

private:
    friend class Node;
    std::uint32_t first_ = 0;  // the first child
    std::unique_ptr<tarn::dom::DocumentStore> store_;
    std::optional<SourcePosition> cursor_;
    std::vector<SourceSpan> removals_;      // source spans of deleted nodes and unwrapped tags
    std::vector<Element*> editedTags_;      // start tags to write anew
    // Built on the first look-up: the first element of each id, in document order.
    mutable std::unordered_map<std::string, Element*> ids_;
    mutable bool idsBuilt_ = false;
};
