#include "app/batch/IgnoreMarkers.h"

#include "contracts/host/Document.h"
#include "contracts/host/Element.h"

namespace {

bool carriesMarker(const Element& element) {
    for (const char* marker : kIgnoreMarkers) {
        if (element.findAttribute(marker) != nullptr)
            return true;
    }
    return false;
}

}  // namespace

std::set<std::pair<std::uint32_t, std::uint32_t>> ignoredPlaces(const Document& document) {
    std::set<std::pair<std::uint32_t, std::uint32_t>> places;
    auto* root = const_cast<Document*>(&document);
    Node* node = document.findNextNode(root, root, false, true);
    while (node != nullptr) {
        auto* element = static_cast<Element*>(node);
        if (!carriesMarker(*element)) {
            node = document.findNextNode(node, root, false, true);
            continue;
        }
        // The marked element and everything inside it; then on past it.
        for (Node* inner = node; inner != nullptr; inner = document.findNextNode(inner, node, false, true)) {
            const SourcePosition at = document.positionOf(static_cast<Element*>(inner)->extent().begin);
            places.emplace(at.line, at.column);
        }
        node = document.findNextNode(node, root, true, true);
    }
    return places;
}
