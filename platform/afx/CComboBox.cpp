#include "platform/afx/CComboBox.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

int CComboBox::GetCount() const { return static_cast<int>(::SendMessageW(m_hWnd, CB_GETCOUNT, 0, 0)); }

int CComboBox::GetCurSel() const { return static_cast<int>(::SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0)); }

int CComboBox::SetCurSel(int nSelect) {
    return static_cast<int>(::SendMessageW(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(static_cast<INT_PTR>(nSelect)), 0));
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
    const int length = GetLBTextLen(nIndex);
    if (length < 0) {
        rString.Empty();
        return;
    }
    const auto copied = ::SendMessageW(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(nIndex),
                                       reinterpret_cast<LPARAM>(rString.GetBuffer(length)));
    rString.ReleaseBuffer(copied < 0 ? 0 : static_cast<int>(std::min<LRESULT>(copied, length)));
}

int CComboBox::GetLBTextLen(int nIndex) const {
    return static_cast<int>(::SendMessageW(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(static_cast<INT_PTR>(nIndex)), 0));
}

int CComboBox::AddString(LPCWSTR lpszString) {
    return static_cast<int>(::SendMessageW(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::InsertString(int nIndex, LPCWSTR lpszString) {
    return static_cast<int>(::SendMessageW(m_hWnd, CB_INSERTSTRING, static_cast<WPARAM>(static_cast<INT_PTR>(nIndex)),
                                           reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::DeleteString(UINT nIndex) {
    return static_cast<int>(::SendMessageW(m_hWnd, CB_DELETESTRING, nIndex, 0));
}

void CComboBox::ResetContent() { ::SendMessageW(m_hWnd, CB_RESETCONTENT, 0, 0); }

void CComboBox::ShowDropDown(BOOL bShowIt) { ::SendMessageW(m_hWnd, CB_SHOWDROPDOWN, static_cast<WPARAM>(bShowIt), 0); }

BOOL CComboBox::GetDroppedState() const {
    return static_cast<BOOL>(::SendMessageW(m_hWnd, CB_GETDROPPEDSTATE, 0, 0));
}
