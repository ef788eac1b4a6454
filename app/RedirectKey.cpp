#include "app/RedirectKey.h"

#include "contracts/dialog/LinkCheckFace.h"
#include "hostlibs/run/CheckJournal.h"
#include "hostlibs/url/AskedUrl.h"
#include "platform/afx/CString.h"
#include "platform/headless/HeadlessFrontEnd.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/ListViewText.h"
#include "platform/win/Utf8.h"
#include "platform/win/WinControls.h"
#include "platform/win/WinUser.h"

std::optional<RedirectKey::Redirect> RedirectKey::selected(HWND dialog) const {
    if (dialog == nullptr)
        return std::nullopt;
    HWND stop = GetDlgItem(dialog, IDC_STOP);
    HWND list = GetDlgItem(dialog, IDC_LINK_LIST);
    if (list == nullptr || (stop != nullptr && IsWindowEnabled(stop)))
        return std::nullopt;
    const int row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0)
        return std::nullopt;
    // A corrected row shows "*NEW URL" or the deleted link's text: no URL of the journal.
    const CString url(ListViewText(list, row, linkcheck::COLUMN_URL));
    const std::optional<tarn::UrlAnswer> answer = journal_.find(tarn::askedUrl(url).ToUtf8());
    if (!answer || !tarn::isPermanentRedirect(answer->status) || answer->location.empty())
        return std::nullopt;
    return Redirect{answer->status, answer->location, suspectRedirect(url.ToUtf8(), answer->location, false)};
}

std::u16string RedirectKey::status(HWND dialog) const {
    const std::optional<Redirect> redirect = selected(dialog);
    if (!redirect)
        return {};
    std::string line = std::to_string(redirect->status) + " → " + redirect->target;
    if (redirect->suspect)
        line += std::string(" [suspect: ") + suspectReason(*redirect->suspect) + ']';
    return win::DecodeUtf8(line + " · F7: new URL");
}

void RedirectKey::enter(HWND dialog) const {
    const std::optional<Redirect> redirect = selected(dialog);
    if (!redirect)
        return;
    HWND change = GetDlgItem(dialog, IDC_CHANGE_URL_RADIO);
    if (change != nullptr && SendMessageW(change, BM_GETCHECK, 0, 0) != BST_CHECKED)
        headless::ClickButton(dialog, IDC_CHANGE_URL_RADIO);
    headless::TypeText(dialog, IDC_NEW_URL, win::DecodeUtf8(redirect->target));
}
