#include "module/dlg/CTarnLinkCheckDlg.h"

#include "contracts/host/CPluginHost.h"
#include "contracts/host/CQuorCommon.h"
#include "contracts/host/CRegistryBase.h"
#include "contracts/host/CTarnListColumnAccUtil.h"
#include "contracts/host/CUrlEngineer.h"
#include "module/check/LinkCheckMessages.h"
#include "module/links/CTarnLinkCheckItems.h"
#include "module/res/resource.h"

IMPLEMENT_DYNAMIC(CTarnLinkCheckDlg, CQuorResizableDlg)

BEGIN_MESSAGE_MAP(CTarnLinkCheckDlg, CQuorResizableDlg)
    ON_BN_CLICKED(IDC_START, &CTarnLinkCheckDlg::OnStart)
    ON_BN_CLICKED(IDC_STOP, &CTarnLinkCheckDlg::OnStop)
    ON_CBN_SELCHANGE(IDC_FILTER_COMBO, &CTarnLinkCheckDlg::OnFilterChange)
    ON_MESSAGE(WM_CHECK_FINISHED, &CTarnLinkCheckDlg::OnCheckFinished)
    ON_MESSAGE(WM_LINK_CHECKING, &CTarnLinkCheckDlg::OnLinkChecking)
    ON_MESSAGE(WM_LINK_RESULT, &CTarnLinkCheckDlg::OnLinkResult)
    ON_MESSAGE(WM_START_CHECK, &CTarnLinkCheckDlg::OnStartCheck)
    ON_MESSAGE(WM_HTTP_CONNECTING, &CTarnLinkCheckDlg::OnHttpConnecting)
    ON_MESSAGE(WM_HTTP_CONNECTED, &CTarnLinkCheckDlg::OnHttpConnected)
    ON_MESSAGE(WM_HTTP_STATUS_CLEAR, &CTarnLinkCheckDlg::OnHttpStatusClear)
    ON_MESSAGE(WM_HTTP_PROCESS_DONE, &CTarnLinkCheckDlg::OnHttpProcessDone)
    ON_BN_CLICKED(IDC_SELECT_ALL, &CTarnLinkCheckDlg::OnSelectAll)
    ON_BN_CLICKED(IDC_CLEAR_ALL, &CTarnLinkCheckDlg::OnClearAll)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_LINK_LIST, &CTarnLinkCheckDlg::OnColumnClick)
    ON_BN_CLICKED(IDC_CHANGE_URL_RADIO, &CTarnLinkCheckDlg::OnChangeUrlRadio)
    ON_BN_CLICKED(IDC_DELETE_LINK_RADIO, &CTarnLinkCheckDlg::OnDeleteLinkRadio)
    ON_BN_CLICKED(IDC_GET_FROM_BROWSER, &CTarnLinkCheckDlg::OnGetFromBrowser)
    ON_BN_CLICKED(IDC_APPLY, &CTarnLinkCheckDlg::OnApply)
    ON_NOTIFY(NM_CLICK, IDC_LINK_LIST, &CTarnLinkCheckDlg::OnListClick)
    ON_NOTIFY(NM_DBLCLK, IDC_LINK_LIST, &CTarnLinkCheckDlg::OnListDblClk)
    ON_NOTIFY(LVN_KEYDOWN, IDC_LINK_LIST, &CTarnLinkCheckDlg::OnListKeyDown)
    ON_BN_CLICKED(IDC_UNDO, &CTarnLinkCheckDlg::OnUndo)
    ON_BN_CLICKED(IDC_COPY_CURRENT_URL, &CTarnLinkCheckDlg::OnCopyCurrentUrl)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_LINK_LIST, &CTarnLinkCheckDlg::OnItemChanged)
    ON_NOTIFY(LVN_ITEMCHANGING, IDC_LINK_LIST, &CTarnLinkCheckDlg::OnItemChanging)
    ON_COMMAND(ID_COLUMN_SIZE, &CTarnLinkCheckDlg::OnColumnSizeCommand)
END_MESSAGE_MAP()

namespace {

const char16_t* const MANUAL_START_VALUE = linkcheck::SETTING_MANUAL_START;

}  // namespace

CTarnLinkCheckDlg::CTarnLinkCheckDlg(CPluginHost* host, CWnd* hostWnd, CWnd* parent)
    : CQuorResizableDlg(IDD_LINK_CHECK, parent, true),
      sortAscending(FALSE),
      sortColumn(-1),
      host(host),
      linkList(nullptr),
      checking(FALSE),
      manualStart(FALSE),
      listReady(FALSE),
      hostWnd(hostWnd),
      linkElementRemoved(false),
      userStopped(FALSE) {
    linkList = new CTarnLinkCheckItems(host);
}

CTarnLinkCheckDlg::~CTarnLinkCheckDlg() {
    if (linkList != nullptr) {
        delete linkList;
        linkList = nullptr;
    }
    if (CUrlEngineer* engineer = CUrlEngineer::getInstance())
        engineer->setStopRequired(false);
}

void CTarnLinkCheckDlg::DoDataExchange(CDataExchange* pDX) {
    CQuorResizableDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LINK_LIST, listCtrl);
    DDX_Control(pDX, IDC_FILTER_COMBO, filterCombo);
    DDX_Control(pDX, IDC_CHANGE_URL_RADIO, changeUrlRadio);
    DDX_Control(pDX, IDC_DELETE_LINK_RADIO, deleteLinkRadio);
    DDX_Control(pDX, IDC_MANUAL_START, manualStartCheck);
}

BOOL CTarnLinkCheckDlg::OnInitDialog() {
    CQuorResizableDlg::OnInitDialog();
    // Mask 0: every other extended style is cleared.
    listCtrl.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
    insertColumns();
    fillList(FALSE);
    deleteLinkRadio.SetCheck(BST_UNCHECKED);
    changeUrlRadio.SetCheck(BST_CHECKED);
    // By position, so that the combo box's sorted style keeps them in this order.
    CString text;
    text.LoadString(IDS_FILTER_ALL);
    filterCombo.InsertString(0, text);
    text.LoadString(IDS_FILTER_ERRORS);
    filterCombo.InsertString(1, text);
    filterCombo.SetCurSel(0);
    loadSettings();
    if (!manualStart) {
        PostMessage(WM_START_CHECK, 0, 0);
    } else {
        manualStartCheck.SetCheck(BST_CHECKED);
        enableControls(FALSE);
    }
    listReady = TRUE;
    initDlgOK();
    return TRUE;
}

void CTarnLinkCheckDlg::setPlacementKey() {
    placementKey = CQuorCommon::getHKCUTarnpageBase() + u"\\dlg\\LinkCheckDlg";
}

void CTarnLinkCheckDlg::layoutDlgItems(int dx, int dy, BOOL redraw) {
    static const int horizontalMove[] = {IDC_FILTER_COMBO, IDC_FILTER_LABEL, IDC_SELECT_ALL, IDC_CLEAR_ALL,
                                         IDC_START,        IDC_STOP,         IDC_COPY_CURRENT_URL,
                                         IDC_GET_FROM_BROWSER, IDC_UNDO,     IDC_APPLY,
                                         IDOK,             IDCANCEL,         ID_HELP};
    static const int horizontalStretch[] = {IDC_LINK_LIST,     IDC_CHECK_GROUP,       IDC_FIX_GROUP, IDC_CHECK_STATUS,
                                            IDC_CURRENT_URL_LABEL, IDC_NEW_URL,       IDC_CURRENT_URL};
    static const int verticalMove[] = {IDC_CHECK_GROUP,       IDC_CHECK_STATUS, IDC_SELECT_ALL,      IDC_CLEAR_ALL,
                                       IDC_START,             IDC_CURRENT_URL,  IDC_STATUS_LABEL,    IDC_STOP,
                                       IDC_FIX_GROUP,         IDC_CHANGE_URL_RADIO, IDC_DELETE_LINK_RADIO,
                                       IDC_CURRENT_URL_LABEL, IDC_COPY_CURRENT_URL, IDC_GET_FROM_BROWSER,
                                       IDC_NEW_URL_LABEL,     IDC_NEW_URL,      IDC_UNDO,            IDC_APPLY,
                                       IDC_MANUAL_START,      IDOK,             IDCANCEL,            ID_HELP};
    static const int verticalStretch[] = {IDC_LINK_LIST};

    auto pass = [&](const auto& ids, int delta, bool horizontal, bool stretch) {
        for (int id : ids) {
            if (CWnd* pCtl = GetDlgItem(id))
                resizeDlgItems(pCtl, delta, horizontal, stretch, redraw);
        }
    };
    if (dx != 0) {
        pass(horizontalMove, dx, true, false);
        pass(horizontalStretch, dx, true, true);
    }
    if (dy != 0) {
        pass(verticalMove, dy, false, false);
        pass(verticalStretch, dy, false, true);
    }
    if (redraw)
        Invalidate(TRUE);
}

void CTarnLinkCheckDlg::loadSettings() {
    CRegistryBase registry(CQuorCommon::getHKCUTarnpageOptions(), HKEY_CURRENT_USER, 0, 1, 0);
    if (registry.GetValueDWORD(MANUAL_START_VALUE, 0, 0) != 0)
        manualStart = TRUE;
}

void CTarnLinkCheckDlg::saveSettings() {
    CRegistryBase registry(CQuorCommon::getHKCUTarnpageOptions(), HKEY_CURRENT_USER, 1, 1, 0);
    registry.SetValueDWORD(MANUAL_START_VALUE, manualStart ? 1 : 0);
}

void CTarnLinkCheckDlg::OnOK() {
    manualStart = manualStartCheck.GetCheck() == BST_CHECKED ? 1 : 0;
    saveSettings();
    bool removed = false;
    const bool applied = linkList->applyCorrections(removed);
    linkList->notifyWnd = nullptr;
    linkElementRemoved = removed;
    // Nothing written means nothing for the host to hear of: the dialog ends as Cancel.
    if (applied)
        CQuorResizableDlg::OnOK();
    else
        CDialog::OnCancel();
}

void CTarnLinkCheckDlg::OnColumnSizeCommand() {
    CTarnListColumnAccUtil* util = new CTarnListColumnAccUtil;
    util->setColumnSize(listCtrl, nullptr);
    delete util;
}
