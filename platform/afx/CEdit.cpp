#include "platform/afx/CEdit.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

// Through the pointers, which carry positions past 65535 that the packed result cannot.
void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL) {
    ::SendMessageW(m_hWnd, EM_SETSEL, static_cast<WPARAM>(static_cast<INT_PTR>(nStartChar)),
                   static_cast<LPARAM>(nEndChar));
}

void CEdit::LimitText(int nChars) { ::SendMessageW(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0); }
