#include "module/links/CTarnLinkCheckItem.h"

#include "contracts/host/Element.h"

IMPLEMENT_FIXED_ALLOC(CTarnLinkCheckItem, 1024)

CTarnLinkCheckItem::CTarnLinkCheckItem(Element* element, const CString& attrName, const CString& url,
                                       const CString& text)
    : tagName(element ? CString(element->getTagName()) : CString()),
      attrName(attrName),
      url(url),
      text(text),
      checkState(CHECK_NONE),
      fixKind(FIX_NONE),
      element(element),
      checkMark(1),
      undoTexts(nullptr) {}

CTarnLinkCheckItem::~CTarnLinkCheckItem() { delete undoTexts; }

void CTarnLinkCheckItem::setUndoTexts(const CString& resultText, const CString& codeText) {
    if (undoTexts == nullptr)
        undoTexts = new CTarnLinkUndoTexts;
    undoTexts->resultText = resultText;
    undoTexts->codeText = codeText;
}
