#include "contracts/host/Document.h"
#include "contracts/host/DomUtil.h"
#include "contracts/host/Element.h"
#include "module/links/CTarnLinkCheckItems.h"

namespace {

// How FIX_DELETE_LINK is carried out, by tag and attribute; the first row that matches decides.
enum class LinkDeletion { Unlink, DeleteElement, DeleteLinkElement, RemoveAttribute };

LinkDeletion resolveLinkDeletion(const CString& tag, const CString& attr) {
    struct Row {
        const char16_t* tag;
        const char16_t* attr;
        LinkDeletion action;
    };
    static constexpr Row kRows[] = {
        {u"A", u"href", LinkDeletion::Unlink},
        {u"AREA", u"href", LinkDeletion::DeleteElement},
        {u"LINK", u"href", LinkDeletion::DeleteLinkElement},
        {u"IMG", u"src", LinkDeletion::DeleteElement},
        {u"EMBED", u"src", LinkDeletion::DeleteElement},
        {u"IFRAME", u"src", LinkDeletion::DeleteElement},
        {u"SCRIPT", u"src", LinkDeletion::DeleteElement},
    };
    for (const Row& row : kRows)
        if (tag.CompareNoCase(row.tag) == 0 && attr.CompareNoCase(row.attr) == 0)
            return row.action;
    return LinkDeletion::RemoveAttribute;
}

}  // namespace

bool CTarnLinkCheckItems::applyCorrections(bool& linkElementRemoved) {
    linkElementRemoved = false;
    bool applied = false;
    for (int i = 0; i < getCount(); ++i) {
        CTarnLinkCheckItem* item = getItem(i);
        if (!item)
            continue;
        bool removed = false;
        if (item->applyCorrection(removed)) {
            applied = true;
            if (removed)
                linkElementRemoved = true;
        }
    }
    return applied;
}

bool CTarnLinkCheckItem::applyCorrection(bool& linkElementRemoved) {
    linkElementRemoved = false;
    if (!element)
        return false;
    // An earlier correction of this pass removed the element (or something around it): it is no
    // longer in the page, so nothing of it can be corrected.
    if (!element->getOwnerDocument())
        return false;
    switch (fixKind) {
    case FIX_CHANGE_URL:
        element->setAttribute(attrName.ToStdString(), newUrl.ToStdString());
        return true;
    case FIX_UNLINK:
        return unlinkElement();
    case FIX_DELETE_ELEMENT:
        return deleteElement();
    case FIX_DELETE_LINK:
        switch (resolveLinkDeletion(tagName, attrName)) {
        case LinkDeletion::Unlink:
            unlinkElement();
            break;
        case LinkDeletion::DeleteLinkElement:
            linkElementRemoved = true;
            deleteElement();
            break;
        case LinkDeletion::DeleteElement:
            deleteElement();
            break;
        case LinkDeletion::RemoveAttribute:
            element->removeAttribute(attrName.ToStdString());
            break;
        }
        return true;
    default:
        return false;
    }
}

bool CTarnLinkCheckItem::unlinkElement() {
    Document* document = element->getOwnerDocument();
    DomUtil util(document, nullptr);
    if (util.isRollOverLink(element))
        element->setAttribute(u"href", u"#");  // the anchor drives an image roll-over and stays
    else
        util.deleteOnlySpecifiedNode(element, false);
    return true;
}

bool CTarnLinkCheckItem::deleteElement() {
    element->getOwnerDocument()->deleteNodes(element);
    return true;
}

bool CTarnLinkCheckItem::selectInSource() {
    Document* document = element ? element->getOwnerDocument() : nullptr;
    if (!document)
        return false;
    document->setSourceCursor(element, 0);
    return true;
}
