#pragma once
#include <atomic>
#include <string>

#include "module/links/LinkCheckValues.h"
#include "platform/afx/CFixedAlloc.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class Element;

// The texts an undo puts back, saved when a correction is applied. Few links are ever corrected, so an
// item makes them only then: a page of 100 000 links would otherwise carry 200 000 empty strings.
struct CTarnLinkUndoTexts {
    CString resultText;
    CString codeText;
};

// One link of the page: the element and attribute that carry it, its URL and display text, and
// what the check, the list view and the correction panel keep for it. Every text is a CString: the
// list's rows share their buffers, and the short ones (tag, attribute, result, code) come from the
// list's shared texts, one buffer per distinct text.
class CTarnLinkCheckItem : public CObject {
    // A page may hold 100 000 links: the items come in blocks, without a heap block each.
    DECLARE_FIXED_ALLOC(CTarnLinkCheckItem)
public:
    CTarnLinkCheckItem(Element* element, const CString& attrName, const CString& url, const CString& text);
    ~CTarnLinkCheckItem() override;

    void setFixKind(int kind) { fixKind = kind; }
    void setCheckState(int state) { checkState = state; }  // also from the worker
    void setNewUrl(const CString& url) { newUrl = url; }

    std::u16string getNewUrl() const { return newUrl.ToStdString(); }

    // Corrections, written into the document when the dialog ends with OK.
    bool applyCorrection(bool& linkElementRemoved);
    bool unlinkElement();
    bool deleteElement();
    // Shows the element in the editor's source; false when it belongs to no document.
    bool selectInSource();

    CString getResultText() const { return resultText; }
    CString getCodeText() const { return codeText; }
    CString getUrlText() const { return urlText; }
    CString getUndoResultText() const { return undoTexts != nullptr ? undoTexts->resultText : CString(); }
    CString getUndoCodeText() const { return undoTexts != nullptr ? undoTexts->codeText : CString(); }
    // Saves the check-result and return-code texts an undo puts back.
    void setUndoTexts(const CString& resultText, const CString& codeText);

    CString tagName;   // as the DOM reports it; empty without an element
    CString attrName;  // as the collection rule spells it: "HREF", "SRC", ...
    CString url;       // the attribute's value when collected; never changed
    CString text;      // display text
    CString newUrl;    // replacement URL; empty when none
    std::atomic<int> checkState;
    int fixKind;
    Element* element;         // not owned
    int checkMark;            // the row's tick: 1 = takes part in the next run
    CString resultText;
    CString codeText;
    CString urlText;
    CTarnLinkUndoTexts* undoTexts;  // owned; null until a correction is applied
};
