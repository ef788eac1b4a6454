#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/CString.h"
#include "platform/afx/CWnd.h"
#include "platform/win/WinControls.h"

// A drop-down-list combo box ("ComboBox") seen through its messages. None of these sends CBN_SELCHANGE:
// that is for the user's choices only. Indexes are 0-based; CB_ERR answers an index outside the list.
class AFX_API CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    int GetCount() const;
    // CB_ERR when nothing is selected.
    int GetCurSel() const;
    // -1 or an index outside the list clears the selection and answers CB_ERR.
    int SetCurSel(int nSelect);
    // Empties rString for an index outside the list.
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
    // In order under CBS_SORT, else at the end; the new item's index.
    int AddString(LPCWSTR lpszString);
    // Before nIndex (-1: at the end), never sorted; the new item's index, or CB_ERR.
    int InsertString(int nIndex, LPCWSTR lpszString);
    // The number of items left, or CB_ERR.
    int DeleteString(UINT nIndex);
    void ResetContent();
    void ShowDropDown(BOOL bShowIt = TRUE);
    BOOL GetDroppedState() const;
};
