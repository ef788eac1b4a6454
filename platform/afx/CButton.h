#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/CWnd.h"
#include "platform/win/WinControls.h"

// A button, check box, radio button or group box ("Button") seen through its messages.
class AFX_API CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    // BST_UNCHECKED or BST_CHECKED.
    int GetCheck() const;
    void SetCheck(int nCheck);
    // The check with BST_PUSHED and BST_FOCUS.
    UINT GetState() const;
    // Draws the button pressed in (TRUE) or not; no click follows.
    void SetState(BOOL bHighlight);
    // The button's style bits (BS_*), its kind in the low four.
    UINT GetButtonStyle() const;
    // Changes the kind, as the dialog manager switches push and default push buttons.
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
};
