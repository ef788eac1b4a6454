#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/win/WinTypes.h"

class CWnd;

// What a dialog's DoDataExchange gets: the dialog and the direction (TRUE: from the controls to the
// members; FALSE: from the members to the controls, which is when controls are bound).
class AFX_API CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The dialog's control nIDC; throws CNotSupportedException when there is none.
    HWND PrepareCtrl(int nIDC);
};

// Binds rControl to the dialog's control nIDC the first time it is called. The control keeps its own
// procedure: the object is a handle for the control's operations, as nothing here needs the control's
// messages reflected to it. Throws CNotSupportedException when the control is missing.
AFX_API void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
