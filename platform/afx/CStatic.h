#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/CWnd.h"
#include "platform/win/WinControls.h"

// A static text ("Static"). It adds nothing to CWnd: it exists so that a label can be bound to a member
// with DDX_Control, whose text the dialog then sets through CWnd.
class AFX_API CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
};
