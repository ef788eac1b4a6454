#include "module/links/CTarnLinkCheckItem.h"

#include "contracts/host/Element.h"

CTarnLinkCheckItem::CTarnLinkCheckItem(Element* element, const CString& attrName, const CString& url,
                                       const CString& text)
    : tagName(element ? CString(element->getTagName()) : CString()),
      attrName(attrName),
      url(url),
      text(text),
      checkState(CHECK_NONE),
      fixKind(FIX_NONE),
      element(element),
      checkMark(1) {}

CTarnLinkCheckItem::~CTarnLinkCheckItem() = default;
