#include "contracts/host/CPluginHost.h"
#include "contracts/host/Document.h"
#include "contracts/host/DomUtBase.h"
#include "contracts/host/DomUtBaseCore.h"
#include "contracts/host/Element.h"
#include "contracts/host/IsProtocol.h"
#include "module/links/CTarnLinkCheckItems.h"

void CTarnLinkCheckItems::collectLinks(CPluginHost* host) {
    clearItems();
    if (!host)
        return;
    CTypedPtrArray<CPtrArray, Element*> roots;
    host->getCheckRoots(roots);
    const bool rootsOnly = host->useCheckRoots();
    if (rootsOnly || roots.GetSize() > 0) {
        for (INT_PTR i = 0; i < roots.GetSize(); ++i)
            collectFromRoot(host, roots.GetAt(i));
    } else {
        collectFromRoot(host, host->getDocument());
    }
}

void CTarnLinkCheckItems::collectFromRoot(CPluginHost* host, Node* root) {
    Document* document = host->getDocument();
    if (!root || !document)
        return;
    // The root itself is never examined: only what lies below it.
    for (Node* node = root->getFirstChild(); node; node = document->findNextNode(node, root, false, false)) {
        if (node->getNodeType() == Node::ELEMENT_NODE)
            addRuleLinks(static_cast<Element*>(node));
    }
}

// The rules, keyed by the document library's element numbers.
void CTarnLinkCheckItems::addRuleLinks(Element* element) {
    auto present = [&](const char16_t* attr) { return element->getAttributeNode(attr) != nullptr; };
    switch (element->getElementID()) {
    case 1:  // A
    case 6:  // AREA
    {
        DomUtBase util(element->getOwnerDocument());
        addLink(element, u"HREF", util.getFmtData(util.getFmtText(element, true, false)));
        break;
    }
    case 14:  // BODY
    case 85:  // TABLE
    case 88:  // TD
    case 91:  // TH
        addLink(element, u"BACKGROUND", u"BACKGROUND");
        break;
    case 32:  // EMBED
        addLink(element, u"SRC", u"プラグイン");
        break;
    case 35:  // FORM
        addLink(element, u"ACTION", u"ACTION");
        break;
    case 36:  // FRAME
    case 48:  // IFRAME
        addLink(element, u"SRC", u"SRC");
        addLink(element, u"LONGDESC", u"LONGDESC");
        break;
    case 49:  // IMG
        if (present(u"USEMAP"))
            addLink(element, u"USEMAP", u"USEMAP");
        if (present(u"SRC"))
            addLink(element, u"SRC", DomUtBaseCore::getParsedAttributeValue(element, u"ALT"));
        if (present(u"AUTHORTIMEIMAGESRC"))
            addLink(element, u"AUTHORTIMEIMAGESRC", u"AUTHORTIMEIMAGESRC");
        if (present(u"LONGDESC"))
            addLink(element, u"LONGDESC", u"LONGDESC");
        break;
    case 50:   // INPUT
    case 74:   // SCRIPT
    case 156:  // SOURCE
        addLink(element, u"SRC", u"SRC");
        break;
    case 57:  // LINK
        if (acceptsLink(element))
            addLink(element, u"HREF", u"リンク");
        break;
    case 65:  // the editor's image elements
    case 94:
        addLink(element, u"IMGSRC", u"IMGSRC");
        break;
    case 83:  // the editor's panel: a background and an image
        addLink(element, u"BACKGROUND", u"BACKGROUND");
        addLink(element, u"IMGSRC", u"IMGSRC");
        break;
    case 107:  // the editor's file elements
    case 108:
    case 109:
        addLink(element, u"FILE", u"FILE");
        break;
    case 114:  // the editor's elements with an associated image element
    case 115:
    case 124:
    case 130:
        if (Element* image = element->getATV())
            addLink(image, u"IMGSRC", u"IMGSRC");
        break;
    case 126:  // OBJECT
        addLink(element, u"CODEBASE", u"CODEBASE");
        break;
    default:
        break;
    }
}

// Which LINK elements point at something worth checking: style sheets, feeds, icons and the
// document relations.
bool CTarnLinkCheckItems::acceptsLink(Element* element) {
    const std::u16string rel = element->getAttribute(u"REL");
    const CString relText(rel);
    for (const char16_t* whole : {u"stylesheet", u"alternate stylesheet", u"alternate", u"shortcut icon", u"icon",
                                  u"apple-touch-icon"}) {
        if (relText.CompareNoCase(whole) != 0)
            continue;
        if (std::u16string_view(whole) != u"alternate")
            return true;
        const CString type(element->getAttribute(u"TYPE"));
        return type.CompareNoCase(u"application/rss+xml") == 0 || type.CompareNoCase(u"application/atom+xml") == 0;
    }
    for (const char16_t* word : {u"start", u"next", u"prev", u"previous", u"contents", u"index", u"glossary",
                                 u"copyright", u"chapter", u"section", u"subsection", u"appendix", u"help",
                                 u"bookmark"}) {
        if (relHasToken(element, rel, word))
            return true;
    }
    return false;
}

bool CTarnLinkCheckItems::relHasToken(Element* element, const std::u16string& rel, const std::u16string& token) {
    if (!element || rel.empty() || token.empty())
        return false;
    // Words are separated by U+0020 alone and compared exactly.
    std::size_t at = 0;
    while (at < rel.size()) {
        while (at < rel.size() && rel[at] == u' ')
            ++at;
        std::size_t end = rel.find(u' ', at);
        if (end == std::u16string::npos)
            end = rel.size();
        if (end > at && rel.compare(at, end - at, token) == 0)
            return true;
        at = end;
    }
    return false;
}

void CTarnLinkCheckItems::addLink(Element* element, const std::u16string& attrName, const CString& text) {
    const std::u16string value = element->getAttribute(attrName);
    if (value.empty())
        return;
    if (is_protocol(value.c_str(), u"http:") || is_protocol(value.c_str(), u"https:")) {
        auto* item = new CTarnLinkCheckItem(element, sharedTexts.share(CString(attrName)), CString(value), text);
        item->tagName = sharedTexts.share(item->tagName);
        items.Add(item);
    }
}
