#include "platform/afx/CDialog.h"

#include "platform/afx/CDynLinkLibrary.h"
#include "platform/afx/DialogGeometry.h"
#include "platform/afx/DialogTemplate.h"
#include "platform/win/ModalFrontEnd.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
    ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
END_MESSAGE_MAP()

namespace {

LPCWSTR ClassOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
    case ControlKind::GroupBox:
        return u"Button";
    case ControlKind::Static:
        return u"Static";
    case ControlKind::Edit:
        return u"Edit";
    case ControlKind::ComboBox:
        return u"ComboBox";
    case ControlKind::ListBox:
        return u"ListBox";
    case ControlKind::ListView:
        return u"SysListView32";
    }
    return u"";
}

}  // namespace

CDialog::CDialog() : CDialog(0, nullptr) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate),
      m_nIDTemplate(nIDTemplate),
      m_pParentWnd(pParentWnd),
      m_bModalEnded(false),
      m_nModalResult(-1) {}

CDialog::~CDialog() = default;

BOOL CDialog::CreateFromTemplate(const DialogTemplate& dialogTemplate, HWND hOwner) {
    // The window is the client area at its natural size plus a frame of one cell on each side.
    const int width = afx::UnitsToColumns(dialogTemplate.cx) + 2;
    const int height = afx::UnitsToRows(dialogTemplate.cy) + 2;
    const DWORD style = (dialogTemplate.style & ~WS_CHILD) | WS_POPUP | WS_CAPTION;
    HWND hDlg = ::CreateWindowExW(dialogTemplate.exStyle, u"#32770", dialogTemplate.caption.c_str(), style,
                                  afx::UnitsToColumns(dialogTemplate.x), afx::UnitsToRows(dialogTemplate.y), width, height,
                                  hOwner, nullptr, nullptr, nullptr);
    if (hDlg == nullptr)
        return FALSE;
    if (!SubclassWindow(hDlg)) {
        ::DestroyWindow(hDlg);
        return FALSE;
    }
    for (const DialogControl& control : dialogTemplate.controls) {
        const RECT cells = afx::NaturalCells(control.rect);
        HWND hCtl = ::CreateWindowExW(0, ClassOf(control.kind), control.text.c_str(), WS_CHILD | control.style,
                                      cells.left, cells.top, cells.right - cells.left, cells.bottom - cells.top,
                                      hDlg, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(control.nID)), nullptr,
                                      nullptr);
        if (hCtl == nullptr) {
            DestroyWindow();
            return FALSE;
        }
    }
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    const DialogTemplate* dialogTemplate = AfxFindDialogTemplate(m_nIDTemplate);
    if (dialogTemplate == nullptr || m_hWnd != nullptr)
        return -1;
    HWND hOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    if (!CreateFromTemplate(*dialogTemplate, hOwner))
        return -1;
    // The owner takes no input while its modal dialog runs.
    const bool ownerWasEnabled = hOwner != nullptr && ::IsWindowEnabled(hOwner);
    if (ownerWasEnabled)
        ::EnableWindow(hOwner, FALSE);
    m_bModalEnded = false;
    m_nModalResult = -1;
    HWND hDlg = m_hWnd;
    HWND hFirst = ::GetNextDlgTabItem(hDlg, nullptr, FALSE);
    if (SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(hFirst), 0) != 0 && hFirst != nullptr)
        ::SetFocus(hFirst);
    if (!m_bModalEnded)
        RunModalLoop();
    DetachControls();
    if (::IsWindow(hDlg))
        ::DestroyWindow(hDlg);
    if (ownerWasEnabled)
        ::EnableWindow(hOwner, TRUE);
    return m_nModalResult;
}

void CDialog::RunModalLoop() {
    win::ModalFrontEnd* frontEnd = win::GetModalFrontEnd();
    HWND hDlg = m_hWnd;
    if (frontEnd != nullptr)
        frontEnd->ModalStarted(hDlg);
    MSG msg;
    while (!m_bModalEnded && ::IsWindow(hDlg)) {
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // The thread is asked to end: the dialog ends without a result and the outer loop gets
                // the request.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                m_nModalResult = -1;
                break;
            }
            if (!::IsDialogMessageW(hDlg, &msg))
                ::DispatchMessageW(&msg);
            continue;
        }
        if (frontEnd != nullptr)
            frontEnd->Idle(hDlg);
        else
            ::MsgWaitForMessages(INFINITE);
    }
    if (frontEnd != nullptr)
        frontEnd->ModalEnded(hDlg);
}

void CDialog::DetachControls() {
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (CWnd* pControl = CWnd::FromHandlePermanent(hChild))
            pControl->Detach();
    }
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    m_bModalEnded = true;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }
