#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/CWnd.h"
#include "platform/afx/DataExchange.h"
#include "platform/win/WinTypes.h"

struct DialogTemplate;

// A modal dialog built from a template found along the resource chain. DoModal creates the dialog window
// (class "#32770", its client area the template's size in cells) and one child per template control in
// template order, sends WM_INITDIALOG, runs the modal loop until EndDialog, destroys the windows and returns
// the result. The loop hands keys to the dialog manager (Tab, Enter, Esc, mnemonics) and, when a front end
// is installed, gives it the idle time to show the dialog and bring the user's input.
class AFX_API CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // The result given to EndDialog; -1 when the template is missing, a control cannot be created, or the
    // thread's loop was asked to quit (WM_QUIT is posted again for the outer loop).
    virtual INT_PTR DoModal();
    // Ends the modal loop with nResult once the current message has been handled.
    void EndDialog(int nResult);

    // Binds the members to their controls (UpdateData(FALSE)); TRUE lets the dialog put the focus on its
    // first tab stop.
    virtual BOOL OnInitDialog();

    UINT m_nIDHelp;
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

protected:
    virtual void OnOK();      // UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel();  // EndDialog(IDCANCEL)
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateFromTemplate(const DialogTemplate& dialogTemplate, HWND hOwner);
    void RunModalLoop();
    // Lets go of every control object bound to a child, before the windows die.
    void DetachControls();

    bool m_bModalEnded;
    int m_nModalResult;
};
