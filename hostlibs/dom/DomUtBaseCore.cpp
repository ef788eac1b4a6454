#include "contracts/host/DomUtBaseCore.h"

#include "hostlibs/dom/DisplayText.h"
#include "contracts/host/Element.h"

CString DomUtBaseCore::getParsedAttributeValue(Element* element, const std::u16string& name) {
    if (!element)
        return CString();
    // The parser resolved the value's references; white space is collapsed for display.
    return CString(tarn::dom::displayText(element->getAttribute(name), false));
}
