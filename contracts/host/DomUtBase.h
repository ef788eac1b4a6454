#pragma once
#include "platform/afx/CString.h"

class Document;
class Element;
class Node;

// Document utilities, made on one document for one task.
class DomUtBase {
public:
    explicit DomUtBase(Document* document) : document_(document) {}
    virtual ~DomUtBase() = default;

    // The text content of the element, in document order, white space collapsed to single spaces.
    // With `imageAlt`, an image contributes its ALT text. With `keepBreaks`, line breaks in the
    // text and BR elements stay line breaks instead of becoming spaces.
    CString getFmtText(Element* element, bool imageAlt, bool keepBreaks) const;
    // The text as a list cell shows it: trimmed, control characters gone.
    CString getFmtData(const CString& text) const;
    // Removes the element's own tags; its content stays in its place. The flag is the editor's
    // and changes nothing here.
    bool deleteOnlySpecifiedNode(Node* node, bool);

protected:
    Document* document() const { return document_; }

private:
    Document* document_;
};
