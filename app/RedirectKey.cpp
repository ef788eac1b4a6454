#include "app/RedirectKey.h"

#include "contracts/dialog/LinkCheckFace.h"
#include "hostlibs/run/CheckJournal.h"
#include "hostlibs/url/AskedUrl.h"
#include "platform/afx/CString.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/ListViewText.h"
#include "platform/win/ModalFrontEnd.h"
#include "platform/win/Utf8.h"
#include "platform/win/WinControls.h"
#include "platform/win/WinUser.h"
#include "platform/win/WindowInput.h"

namespace {

void deliver(HWND dialog, HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    DeliverInput(dialog, MSG{target, message, wParam, lParam, 0});
}

void click(HWND dialog, HWND control) {
    deliver(dialog, control, WM_LBUTTONDOWN, 0, 0);
    deliver(dialog, control, WM_LBUTTONUP, 0, 0);
}

void key(HWND dialog, HWND control, WORD vk, bool shift) {
    SetKeyModifiers(shift, false, false);
    deliver(dialog, control, WM_KEYDOWN, vk, 0);
    SetKeyModifiers(false, false, false);
}

}  // namespace

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
    if (change != nullptr && IsWindowEnabled(change) && SendMessageW(change, BM_GETCHECK, 0, 0) != BST_CHECKED)
        click(dialog, change);
    HWND box = GetDlgItem(dialog, IDC_NEW_URL);
    if (box == nullptr || !IsWindowEnabled(box))
        return;
    click(dialog, box);
    key(dialog, box, VK_HOME, false);
    key(dialog, box, VK_END, true);
    for (const char16_t unit : win::DecodeUtf8(redirect->target))
        deliver(dialog, box, WM_CHAR, unit, 0);
}
