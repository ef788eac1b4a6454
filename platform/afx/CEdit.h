#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/CWnd.h"
#include "platform/win/WinControls.h"

// A one-line edit box ("Edit") seen through its messages; its text is the window text (CWnd).
class AFX_API CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    // The selection in UTF-16 code units; nEndChar is where the caret is.
    void GetSel(int& nStartChar, int& nEndChar) const;
    // nEndChar -1 selects to the end; nStartChar -1 drops the selection. The box keeps the caret in view
    // whatever bNoScroll says.
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    // The most the user may type; 0 lifts the limit.
    void LimitText(int nChars = 0);
};
