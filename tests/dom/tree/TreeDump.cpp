#include "tests/dom/tree/TreeDump.h"

#include "contracts/host/Element.h"

namespace tarn::test {

std::string dump(const Node* root) {
    std::string out;
    // Iterative, so that the deep-nesting tests can dump too.
    const Node* n = root->getFirstChild();
    while (n) {
        switch (n->getNodeType()) {
        case Node::ELEMENT_NODE: {
            auto* e = static_cast<const Element*>(n);
            out += e->kind().name;
            if (e->isImplied())
                out += '~';
            break;
        }
        case Node::TEXT_NODE: out += '#'; break;
        case Node::COMMENT_NODE: out += '!'; break;
        default: out += '?'; break;
        }
        if (n->getFirstChild()) {
            out += '(';
            n = n->getFirstChild();
            continue;
        }
        while (n != root && !n->getNextSibling()) {
            n = n->getParentNode();
            if (n != root)
                out += ')';
        }
        if (n == root)
            break;
        out += ',';
        n = n->getNextSibling();
    }
    return out;
}

}  // namespace tarn::test
