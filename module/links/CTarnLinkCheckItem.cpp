#include "module/links/CTarnLinkCheckItem.h"

#include "module/host/Element.h"

CTarnLinkCheckItem::CTarnLinkCheckItem(Element* element, std::u16string attrName, std::u16string url,
                                       std::u16string text)
    : tagName(element ? element->getTagName() : std::u16string()),
      attrName(std::move(attrName)),
      url(std::move(url)),
      text(std::move(text)),
      checkState(CHECK_NONE),
      fixKind(FIX_NONE),
      element(element),
      checkMark(1) {}

CTarnLinkCheckItem::~CTarnLinkCheckItem() = default;
