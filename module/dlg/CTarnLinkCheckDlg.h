#pragma once

#include "contracts/host/CQuorResizableDlg.h"
#include "contracts/host/CTarnAccListCtrl.h"
#include "platform/afx/CButton.h"
#include "platform/afx/CComboBox.h"
#include "platform/afx/CString.h"

class CPluginHost;
class CTarnLinkCheckItem;
class CTarnLinkCheckItems;

// The modal dialog "外部リンク チェック": the page's external links in a list with ticks, the filter, the
// check run's controls and the correction panel. Everything runs on the user-interface thread; the check
// worker reaches the dialog only through messages to the link list's notifyWnd.
class CTarnLinkCheckDlg : public CQuorResizableDlg {
    DECLARE_DYNAMIC(CTarnLinkCheckDlg)
public:
    // Collects the document's links (the link list's constructor) before the window exists.
    CTarnLinkCheckDlg(CPluginHost* host, CWnd* hostWnd, CWnd* parent);
    // Deletes the link list, which waits for a worker that still runs, and leaves the host's URL engine
    // without a stop request.
    ~CTarnLinkCheckDlg() override;

    CTarnAccListCtrl listCtrl;
    BOOL sortAscending;
    int sortColumn;  // -1 until the first header click
    CComboBox filterCombo;
    CButton changeUrlRadio;
    CButton deleteLinkRadio;
    CButton manualStartCheck;
    CPluginHost* host;               // not owned
    CTarnLinkCheckItems* linkList;   // owned
    BOOL checking;                   // written only through setChecking
    BOOL manualStart;
    BOOL listReady;                  // FALSE while the rows are being built
    CWnd* hostWnd;                   // not owned; may be null
    bool linkElementRemoved;         // read by the entry after an OK
    BOOL userStopped;

    // The rows and the enabling of the controls.
    void fillList(BOOL errorsOnly);
    void saveRowsToItems();
    BOOL isValidRow(int row);
    BOOL hasRows();
    BOOL hasTickedRow();
    BOOL canTickRow(int row);
    BOOL isHttpUrl(const CString& text);
    CString currentUrlText(int row);
    BOOL selectedRowHasUrl();
    BOOL selectedRowHasFix();
    BOOL canEditNewUrl();
    void enableControls(BOOL checkingState);
    void setChecking(BOOL checkingState);
    static int compareRows(LPARAM item1, LPARAM item2, LPARAM dialog);
    static CString* itemText(CTarnLinkCheckItem* item, int column);
    // The row that shows the item at `index` of the link list, or -1.
    int findRowOfItem(int index);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void layoutDlgItems(int dx, int dy, BOOL redraw) override;
    void setPlacementKey() override;

    void loadSettings();
    void saveSettings();
    void insertColumns();
    CTarnLinkCheckItem* rowItem(int row);
    int selectedRow();

    void OnFilterChange();
    void OnSelectAll();
    void OnClearAll();
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnSizeCommand();

    // The check run and its progress.
    void OnStart();
    void OnStop();
    LRESULT OnStartCheck(WPARAM wParam, LPARAM lParam);
    LRESULT OnCheckFinished(WPARAM wParam, LPARAM lParam);
    LRESULT OnLinkChecking(WPARAM wParam, LPARAM lParam);
    LRESULT OnLinkResult(WPARAM wParam, LPARAM lParam);
    LRESULT OnHttpConnecting(WPARAM wParam, LPARAM lParam);
    LRESULT OnHttpConnected(WPARAM wParam, LPARAM lParam);
    LRESULT OnHttpStatusClear(WPARAM wParam, LPARAM lParam);
    LRESULT OnHttpProcessDone(WPARAM wParam, LPARAM lParam);

    // The correction panel.
    void OnChangeUrlRadio();
    void OnDeleteLinkRadio();
    void OnGetFromBrowser();
    void OnApply();
    void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnUndo();
    void OnCopyCurrentUrl();

    DECLARE_MESSAGE_MAP()

private:
    // Where hasTickedRow begins its search.
    int tickedRowHint_ = 0;
};
