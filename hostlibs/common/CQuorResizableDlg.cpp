#include "contracts/host/CQuorResizableDlg.h"

#include "contracts/host/CRegistryBase.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CQuorResizableDlg, CDialog)

BEGIN_MESSAGE_MAP(CQuorResizableDlg, CDialog)
    ON_MESSAGE(WM_SIZE, &CQuorResizableDlg::OnSizeChanged)
    ON_MESSAGE(WM_DESTROY, &CQuorResizableDlg::OnDestroyWindow)
END_MESSAGE_MAP()

namespace {

const char16_t* const WIDTH_VALUE = u"Width";
const char16_t* const HEIGHT_VALUE = u"Height";

// Gives the dialog a client area of width x height cells, keeping its place and frame.
void SetClientSize(CWnd& dialog, int width, int height) {
    RECT window;
    RECT client;
    dialog.GetWindowRect(&window);
    dialog.GetClientRect(&client);
    const int frameX = (window.right - window.left) - client.right;
    const int frameY = (window.bottom - window.top) - client.bottom;
    dialog.MoveWindow(window.left, window.top, width + frameX, height + frameY, TRUE);
}

}  // namespace

CQuorResizableDlg::CQuorResizableDlg(UINT nIDTemplate, CWnd* pParent, bool rememberSize)
    : CDialog(nIDTemplate, pParent), rememberSize_(rememberSize) {}

CQuorResizableDlg::~CQuorResizableDlg() = default;

BOOL CQuorResizableDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    setPlacementKey();
    RECT client;
    GetClientRect(&client);
    minWidth_ = width_ = client.right;
    minHeight_ = height_ = client.bottom;
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
    const bool withinBounds = width >= minWidth_ && height >= minHeight_ && width <= kMaxWidth && height <= kMaxHeight;
    if (withinBounds && (width != width_ || height != height_))
        SetClientSize(*this, width, height);
    resized_ = false;
}

void CQuorResizableDlg::resizeDlgItems(CWnd* pCtl, int delta, bool horizontal, bool stretch, BOOL redraw) {
    if (pCtl == nullptr || pCtl->GetSafeHwnd() == nullptr)
        return;
    RECT rect;
    pCtl->GetWindowRect(&rect);
    int x = rect.left;
    int y = rect.top;
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (horizontal)
        (stretch ? width : x) += delta;
    else
        (stretch ? height : y) += delta;
    pCtl->MoveWindow(x, y, width, height, redraw);
}

// The template's size is the smallest and kMaxWidth x kMaxHeight the largest: a size beyond them is put back
// within them, and the controls are laid out only for sizes within.
LRESULT CQuorResizableDlg::OnSizeChanged(WPARAM, LPARAM lParam) {
    if (!laidOut_)
        return 0;
    const int width = LOWORD(static_cast<UINT_PTR>(lParam));
    const int height = HIWORD(static_cast<UINT_PTR>(lParam));
    if (width < minWidth_ || height < minHeight_ || width > kMaxWidth || height > kMaxHeight) {
        SetClientSize(*this, std::clamp(width, minWidth_, std::max(minWidth_, kMaxWidth)),
                      std::clamp(height, minHeight_, std::max(minHeight_, kMaxHeight)));
        return 0;
    }
    const int dx = width - width_;
    const int dy = height - height_;
    width_ = width;
    height_ = height;
    if (dx != 0 || dy != 0) {
        resized_ = true;
        layoutDlgItems(dx, dy, TRUE);
    }
    return 0;
}

LRESULT CQuorResizableDlg::OnDestroyWindow(WPARAM, LPARAM) {
    if (rememberSize_ && resized_ && !placementKey.IsEmpty()) {
        CRegistryBase registry(placementKey, HKEY_CURRENT_USER, 1, 1, 0);
        registry.SetValueDWORD(WIDTH_VALUE, static_cast<DWORD>(width_));
        registry.SetValueDWORD(HEIGHT_VALUE, static_cast<DWORD>(height_));
    }
    return 0;
}
