#pragma once
#include <set>

#include "platform/afx/CString.h"

// One buffer per distinct short text: tag and attribute names, result and code texts. Items and rows
// keep copies of the CStrings handed out here, which share the buffer, instead of a copy of the text
// each. Used on the dialog's thread only.
class CSharedTexts {
public:
    // The shared string equal to `text`; added when it is new.
    const CString& share(const CString& text) { return *texts.insert(text).first; }

private:
    std::set<CString> texts;
};
