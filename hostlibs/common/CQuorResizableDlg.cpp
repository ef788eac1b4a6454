#include "contracts/host/CQuorResizableDlg.h"

#include "contracts/host/CRegistryBase.h"
#include "platform/afx/CDynLinkLibrary.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CQuorResizableDlg, CDialog)

BEGIN_MESSAGE_MAP(CQuorResizableDlg, CDialog)
    ON_MESSAGE(WM_SIZE, &CQuorResizableDlg::OnSizeChanged)
    ON_MESSAGE(WM_DESTROY, &CQuorResizableDlg::OnDestroyWindow)
END_MESSAGE_MAP()

namespace {

const char16_t* const WIDTH_VALUE = u"Width";
const char16_t* const HEIGHT_VALUE = u"Height";

}  // namespace

CQuorResizableDlg::CQuorResizableDlg(UINT nIDTemplate, CWnd* pParent, bool rememberSize)
    : CDialog(nIDTemplate, pParent), rememberSize_(rememberSize) {}

CQuorResizableDlg::~CQuorResizableDlg() = default;

BOOL CQuorResizableDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    setPlacementKey();
    RECT client;
    GetClientRect(&client);
    templateWidth_ = client.right;
    templateHeight_ = client.bottom;
    if (const DialogTemplate* dialogTemplate = AfxFindDialogTemplate(m_nIDTemplate))
        layout_.Attach(m_hWnd, *dialogTemplate);
    laidOut_ = true;
    return TRUE;
}

void CQuorResizableDlg::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

void CQuorResizableDlg::OnOK() { CDialog::OnOK(); }

void CQuorResizableDlg::layoutDlgItems(int, int, BOOL) {}

void CQuorResizableDlg::setPlacementKey() {}

void CQuorResizableDlg::initDlgOK() {
    if (!rememberSize_ || placementKey.IsEmpty())
        return;
    CRegistryBase registry(placementKey, HKEY_CURRENT_USER, 0, 1, 0);
    const int width = static_cast<int>(registry.GetValueDWORD(WIDTH_VALUE, 0, 0));
    const int height = static_cast<int>(registry.GetValueDWORD(HEIGHT_VALUE, 0, 0));
    const bool withinBounds = width >= templateWidth_ && height >= templateHeight_ && width <= kMaxWidth &&
                              height <= kMaxHeight;
    if (withinBounds && (width != templateWidth_ || height != templateHeight_))
        setClientSize(width, height);
    resized_ = false;
}

void CQuorResizableDlg::resizeDlgItems(CWnd* pCtl, int delta, bool horizontal, bool stretch, BOOL) {
    if (pCtl != nullptr && pCtl->GetSafeHwnd() != nullptr)
        layout_.Moved(pCtl->GetSafeHwnd(), delta, horizontal, stretch);
}

void CQuorResizableDlg::setClientSize(int width, int height) {
    RECT window;
    RECT client;
    GetWindowRect(&window);
    GetClientRect(&client);
    const int frameX = (window.right - window.left) - client.right;
    const int frameY = (window.bottom - window.top) - client.bottom;
    MoveWindow(window.left, window.top, width + frameX, height + frameY, TRUE);
}

// The dialog's own layout code moves its controls in units for the new size, and the mapping places them in
// cells. A size beyond kMaxWidth x kMaxHeight, or below what the controls need, is put back within.
LRESULT CQuorResizableDlg::OnSizeChanged(WPARAM wParam, LPARAM lParam) {
    if (!laidOut_ || placing_)
        return 0;
    const int asked = LOWORD(static_cast<UINT_PTR>(lParam));
    const int askedHeight = HIWORD(static_cast<UINT_PTR>(lParam));
    placing_ = true;
    const SIZE units = layout_.UnitsTo(std::min(asked, kMaxWidth), std::min(askedHeight, kMaxHeight));
    if (units.cx != 0 || units.cy != 0)
        layoutDlgItems(units.cx, units.cy, TRUE);
    const SIZE placed = layout_.Place(std::min(asked, kMaxWidth), std::min(askedHeight, kMaxHeight));
    if (placed.cx != asked || placed.cy != askedHeight)
        setClientSize(placed.cx, placed.cy);
    placing_ = false;
    if (wParam != SIZE_MAXIMIZED && placed.cx >= templateWidth_ && placed.cy >= templateHeight_) {
        resized_ = true;
        userWidth_ = placed.cx;
        userHeight_ = placed.cy;
    }
    return 0;
}

LRESULT CQuorResizableDlg::OnDestroyWindow(WPARAM, LPARAM) {
    if (rememberSize_ && resized_ && !placementKey.IsEmpty()) {
        CRegistryBase registry(placementKey, HKEY_CURRENT_USER, 1, 1, 0);
        registry.SetValueDWORD(WIDTH_VALUE, static_cast<DWORD>(userWidth_));
        registry.SetValueDWORD(HEIGHT_VALUE, static_cast<DWORD>(userHeight_));
    }
    return 0;
}
