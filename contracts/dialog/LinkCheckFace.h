#pragma once

// The link check dialog's face: what its template, its list and its texts show anyone who works it. The
// module's resources are made of it, and the host program relies on it to drive the dialog as a user
// would (the automation waits on Stop; the batch check presses Start, reads the rows, corrects links).
// Anything else of the dialog is the module's own.

// The dialog template and its controls.
#define IDD_LINK_CHECK 11450

#define IDC_LINK_LIST 3000
#define IDC_FILTER_COMBO 3001
#define IDC_SELECT_ALL 3002
#define IDC_CLEAR_ALL 3003
#define IDC_CHECK_STATUS 3005
#define IDC_START 3006
#define IDC_STOP 3007  // enabled exactly while a check runs
#define IDC_CURRENT_URL 3008
#define IDC_DELETE_LINK_RADIO 3009
#define IDC_CHANGE_URL_RADIO 3010
#define IDC_GET_FROM_BROWSER 3011
#define IDC_APPLY 3012
#define IDC_NEW_URL 3013
#define IDC_UNDO 3014
#define IDC_COPY_CURRENT_URL 3015
#define IDC_MANUAL_START 3016
#define IDC_FILTER_LABEL 3017
#define IDC_LIST_LABEL 3018
#define IDC_CHECK_GROUP 3019
#define IDC_STATUS_LABEL 3020
#define IDC_FIX_GROUP 3021
#define IDC_CURRENT_URL_LABEL 3022
#define IDC_NEW_URL_LABEL 3023

#define ID_HELP 57670

namespace linkcheck {

// The columns of the link list, left to right.
enum Column : int {
    COLUMN_URL,
    COLUMN_RESULT,
    COLUMN_CODE,
    COLUMN_TEXT,
    COLUMN_TAG,
    COLUMN_ATTR,
    COLUMN_COUNT
};

// The result column's texts once a link was checked, and the code column's when no status came.
inline constexpr char16_t RESULT_OK[] = u"OK";
inline constexpr char16_t RESULT_LINK_ERROR[] = u"リンクエラー";
inline constexpr char16_t RESULT_UNKNOWN[] = u"不明";
inline constexpr char16_t RESULT_STOPPED[] = u"チェック停止";
inline constexpr char16_t CODE_CONNECT_ERROR[] = u"接続エラー";

// The user's option (a number under CQuorCommon::getHKCUTarnpageOptions) that makes the check wait for
// Start instead of starting as the dialog opens.
inline constexpr char16_t SETTING_MANUAL_START[] = u"isLinkCheckManualStart";

}  // namespace linkcheck
