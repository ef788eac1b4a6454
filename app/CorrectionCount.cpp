#include "app/CorrectionCount.h"

#include "contracts/host/Document.h"
#include "contracts/host/Element.h"

int countCorrections(const Document& document) {
    int count = 0;
    for (const Element* element : document.editedTags())
        // A changed element that a later correction removed is counted with the removal.
        if (element->getOwnerDocument() != nullptr)
            ++count;
    const std::string_view text = document.sourceText();
    for (const SourceSpan& removed : document.removals())
        // An unwrapped element leaves two spans, its start tag and its end tag: only the first counts.
        if (!text.substr(removed.begin, removed.size()).starts_with("</"))
            ++count;
    return count;
}
