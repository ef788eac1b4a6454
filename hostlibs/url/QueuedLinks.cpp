#include "hostlibs/url/QueuedLinks.h"

#include "platform/win/CommCtrl.h"
#include "platform/win/ListViewText.h"
#include "platform/win/WinUser.h"

namespace tarn {
namespace {

constexpr std::u16string_view kListViewClass = u"SysListView32";
constexpr UINT kTicked = INDEXTOSTATEIMAGEMASK(2);

HWND listViewOf(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char16_t name[32] = {};
        const int length = GetClassNameW(child, name, 32);
        if (std::u16string_view(name, static_cast<std::size_t>(length)) == kListViewClass)
            return child;
    }
    return nullptr;
}

}  // namespace

std::optional<std::vector<LinkRequest>> queuedRequests(HWND dialog) {
    if (dialog == nullptr || !IsWindow(dialog))
        return std::nullopt;
    const HWND list = listViewOf(dialog);
    if (list == nullptr)
        return std::nullopt;
    std::vector<LinkRequest> requests;
    const auto rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        const auto state = static_cast<UINT>(
            SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK));
        if ((state & LVIS_STATEIMAGEMASK) != kTicked)
            continue;
        if (std::optional<LinkRequest> request = requestFor(askedUrl(CString(ListViewText(list, row, 0)))))
            requests.push_back(std::move(*request));
    }
    return requests;
}

}  // namespace tarn
