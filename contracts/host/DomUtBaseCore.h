#pragma once
#include <string>

#include "platform/afx/CString.h"

class Element;

// Attribute helpers of the editor's document utilities.
class DomUtBaseCore {
public:
    // The attribute's value as shown to the user: references resolved, white space collapsed
    // and trimmed; empty when absent.
    static CString getParsedAttributeValue(Element* element, const std::u16string& name);
};
