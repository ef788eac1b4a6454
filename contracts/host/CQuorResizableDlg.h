#pragma once
#include "platform/afx/CDialog.h"
#include "platform/afx/CString.h"

// The host's resizable dialog: it keeps the template's size as the smallest and kMaxWidth x kMaxHeight cells
// as the largest, hands every size change to layoutDlgItems as the change in cells, and with
// `rememberSize` keeps the size the user gave the dialog under the key setPlacementKey names, for the next
// time (a remembered size beyond those bounds is not restored).
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

    // Moves and stretches the controls by the size change (dx, dy cells); the base moves nothing.
    virtual void layoutDlgItems(int dx, int dy, BOOL redraw);
    // Sets placementKey; the base leaves it empty, and nothing is remembered.
    virtual void setPlacementKey();
    // The end of the derived OnInitDialog: the remembered size is put back here, after the dialog laid out
    // its contents for the template's size.
    virtual void initDlgOK();

    // Moves pCtl by delta along one axis, or with `stretch` grows it by delta.
    void resizeDlgItems(CWnd* pCtl, int delta, bool horizontal, bool stretch, BOOL redraw);

    CString placementKey;  // relative to HKEY_CURRENT_USER

    LRESULT OnSizeChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroyWindow(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    bool rememberSize_;
    bool laidOut_ = false;  // the client size is known: WM_SIZE from then on is a change to lay out
    int minWidth_ = 0;
    int minHeight_ = 0;
    int width_ = 0;  // the client size the controls are laid out for
    int height_ = 0;
    bool resized_ = false;  // the size differs from the one the dialog opened with
};
