#include "platform/afx/CButton.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

int CButton::GetCheck() const { return static_cast<int>(::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0)); }

void CButton::SetCheck(int nCheck) { ::SendMessageW(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck), 0); }

UINT CButton::GetState() const { return static_cast<UINT>(::SendMessageW(m_hWnd, BM_GETSTATE, 0, 0)); }

void CButton::SetState(BOOL bHighlight) { ::SendMessageW(m_hWnd, BM_SETSTATE, static_cast<WPARAM>(bHighlight), 0); }

// The low byte, as the framework answers: the kind and the button's own flags, not the window styles.
UINT CButton::GetButtonStyle() const { return static_cast<UINT>(::GetWindowLongW(m_hWnd, GWL_STYLE)) & 0xFF; }

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) {
    ::SendMessageW(m_hWnd, BM_SETSTYLE, nStyle, MAKELPARAM(static_cast<UINT_PTR>(bRedraw), 0));
}
