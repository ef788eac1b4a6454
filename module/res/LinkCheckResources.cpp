#include "module/res/LinkCheckResources.h"

#include "module/res/resource.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/WinControls.h"
#include "platform/win/WinUser.h"

namespace {

constexpr DWORD VISIBLE = WS_VISIBLE;
constexpr DWORD LABEL = VISIBLE | SS_LEFT | WS_GROUP;
constexpr DWORD SUNKEN_LABEL = LABEL | SS_SUNKEN;
constexpr DWORD BUTTON = VISIBLE | BS_PUSHBUTTON | WS_TABSTOP;

DialogTemplate linkCheckDialog() {
    DialogTemplate dialog{
        IDD_LINK_CHECK,
        u"外部リンク チェック",
        WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX | DS_SETFONT | DS_FIXEDSYS,
        469,
        318,
        {9, u"ＭＳ Ｐゴシック", 0, 0, 1},
        {
            {IDC_FILTER_LABEL, ControlKind::Static, u"表示切替(&C):", {256, 8, 45, 8}, LABEL},
            {IDC_FILTER_COMBO, ControlKind::ComboBox, u"", {304, 6, 158, 81},
             VISIBLE | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP},
            {IDC_LIST_LABEL, ControlKind::Static, u"外部リンク一覧(&K):", {7, 14, 99, 8}, LABEL},
            {IDC_LINK_LIST, ControlKind::ListView, u"", {7, 25, 455, 100},
             VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_ALIGNLEFT | WS_BORDER | WS_TABSTOP},
            {IDC_SELECT_ALL, ControlKind::PushButton, u"すべて(&A)", {358, 129, 50, 14}, BUTTON},
            {IDC_CLEAR_ALL, ControlKind::PushButton, u"クリア(&L)", {412, 129, 50, 14}, BUTTON},
            {IDC_CHECK_GROUP, ControlKind::GroupBox, u"リンク チェック", {7, 146, 455, 50}, VISIBLE | BS_GROUPBOX},
            {IDC_STATUS_LABEL, ControlKind::Static, u"リンク チェック状況:", {14, 164, 56, 8}, LABEL},
            {IDC_CHECK_STATUS, ControlKind::Static, u"", {14, 175, 387, 14}, SUNKEN_LABEL},
            {IDC_START, ControlKind::PushButton, u"開始(&S)", {405, 157, 50, 14}, BUTTON},
            {IDC_STOP, ControlKind::PushButton, u"停止(&P)", {405, 175, 50, 14}, BUTTON},
            {IDC_FIX_GROUP, ControlKind::GroupBox, u"修正", {7, 199, 455, 92}, VISIBLE | BS_GROUPBOX},
            {IDC_CHANGE_URL_RADIO, ControlKind::RadioButton, u"リンク先を新しい URL に変更(&R)", {14, 210, 118, 14},
             VISIBLE | BS_AUTORADIOBUTTON | WS_GROUP},
            {IDC_DELETE_LINK_RADIO, ControlKind::RadioButton, u"リンクの属性の削除(&D)", {136, 210, 87, 14},
             VISIBLE | BS_AUTORADIOBUTTON},
            {IDC_CURRENT_URL_LABEL, ControlKind::Static, u"現在の URL:", {14, 224, 43, 8}, LABEL},
            {IDC_CURRENT_URL, ControlKind::Static, u"", {14, 235, 387, 14}, SUNKEN_LABEL},
            {IDC_NEW_URL_LABEL, ControlKind::Static, u"変更後の URL (&U):", {14, 260, 71, 11}, LABEL},
            {IDC_NEW_URL, ControlKind::Edit, u"", {14, 271, 387, 14},
             VISIBLE | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
            {IDC_COPY_CURRENT_URL, ControlKind::PushButton, u"現在の URL をコピー(&F)", {225, 253, 76, 14}, BUTTON},
            {IDC_GET_FROM_BROWSER, ControlKind::PushButton, u"ブラウザーより取得(&G)", {305, 253, 76, 14}, BUTTON},
            {IDC_UNDO, ControlKind::PushButton, u"元に戻す(&N)", {405, 253, 50, 14}, BUTTON},
            {IDC_APPLY, ControlKind::PushButton, u"適用(&Y)", {405, 271, 50, 14}, BUTTON},
            {IDC_MANUAL_START, ControlKind::CheckBox, u"次回から手動でリンク チェックを開始する(&M)",
             {14, 298, 149, 10}, VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP},
            {IDOK, ControlKind::PushButton, u"OK", {301, 298, 53, 13}, VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP},
            {IDCANCEL, ControlKind::PushButton, u"キャンセル", {358, 298, 50, 13}, BUTTON},
            {ID_HELP, ControlKind::PushButton, u"ヘルプ", {412, 298, 50, 13}, BUTTON},
        },
    };
    return dialog;
}

}  // namespace

const ResourceSet& linkCheckResources() {
    static const ResourceSet resources{
        {linkCheckDialog()},
        {
            {IDS_FILTER_ALL, u"すべてのリンク"},
            {IDS_FILTER_ERRORS, u"リンクエラーあり"},
            {IDS_COLUMN_ATTR, u"属性"},
            {IDS_COLUMN_TEXT, u"文字"},
            {IDS_COLUMN_RESULT, u"チェック結果"},
            {IDS_COLUMN_CODE, u"戻りコード"},
            {IDS_COLUMN_TAG, u"タグ"},
            {IDS_COLUMN_URL, u"URL"},
            {IDS_CHECKING, u"チェック中・・・"},
            {IDS_CHECK_FINISHED, u"リンク チェックは終了しました。"},
            {IDS_CONNECT_ERROR, linkcheck::CODE_CONNECT_ERROR},
            {IDS_LINK_ERROR, linkcheck::RESULT_LINK_ERROR},
            {IDS_LINK_DELETED, u"（リンク削除）"},
            {IDS_RESULT_OK, linkcheck::RESULT_OK},
            {IDS_CHECK_STOPPED, linkcheck::RESULT_STOPPED},
            {IDS_RESULT_UNKNOWN, linkcheck::RESULT_UNKNOWN},
        },
    };
    return resources;
}
