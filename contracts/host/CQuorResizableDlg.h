#pragma once
#include "platform/afx/CDialog.h"
#include "platform/afx/CString.h"
#include "platform/afx/DialogLayout.h"

// The host's resizable dialog: it hands every size change to layoutDlgItems as the change in dialog units,
// places the controls in cells through the dialog layer's one mapping (fewer cells than the template's
// natural size get its compact layout, and the dialog is never smaller than its controls need), keeps
// kMaxWidth x kMaxHeight cells as the largest, and with `rememberSize` keeps the size the user gave the
// dialog under the key setPlacementKey names, for the next time. A size the dialog was fitted to (a screen
// it was maximized to, WM_SIZE with SIZE_MAXIMIZED) or one below the template's size is not a size the user
// chose, and is never kept; a remembered size beyond those bounds is not restored.
class CQuorResizableDlg : public CDialog {
    DECLARE_DYNAMIC(CQuorResizableDlg)
public:
    // Larger than any terminal a person reads, and small enough that a dialog of this size is painted at
    // once: a size that went wrong, or was stored wrong, costs no more than this.
    static constexpr int kMaxWidth = 1000;
    static constexpr int kMaxHeight = 400;

    CQuorResizableDlg(UINT nIDTemplate, CWnd* pParent, bool rememberSize);
    ~CQuorResizableDlg() override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    // Moves and stretches the controls by the size change (dx, dy dialog units); the base moves nothing.
    virtual void layoutDlgItems(int dx, int dy, BOOL redraw);
    // Sets placementKey; the base leaves it empty, and nothing is remembered.
    virtual void setPlacementKey();
    // The end of the derived OnInitDialog: the remembered size is put back here, after the dialog laid out
    // its contents for the template's size.
    virtual void initDlgOK();

    // Moves pCtl by delta dialog units along one axis, or with `stretch` grows it by delta. Called from
    // layoutDlgItems; the base then places every control in cells.
    void resizeDlgItems(CWnd* pCtl, int delta, bool horizontal, bool stretch, BOOL redraw);

    CString placementKey;  // relative to HKEY_CURRENT_USER

    LRESULT OnSizeChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroyWindow(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Gives the dialog a client area of width x height cells, keeping its place and frame.
    void setClientSize(int width, int height);

    bool rememberSize_;
    bool laidOut_ = false;  // the client size is known: WM_SIZE from then on is a change to lay out
    bool placing_ = false;  // the base itself sets the size it placed the controls for
    afx::DialogLayout layout_;
    int templateWidth_ = 0;  // the client size at the template's size, in cells
    int templateHeight_ = 0;
    int userWidth_ = 0;  // the last size the user gave the dialog
    int userHeight_ = 0;
    bool resized_ = false;  // the user gave the dialog a size since it opened
};
