#include "hostlibs/url/QueuedLinks.h"

#include "platform/win/CommCtrl.h"
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

std::u16string firstColumn(HWND list, int row) {
    std::u16string buffer(256, u'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto copied = static_cast<int>(
            SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        // The list says how much it copied, not how long the text is.
        if (copied + 1 < static_cast<int>(buffer.size())) {
            buffer.resize(static_cast<std::size_t>(copied));
            return buffer;
        }
        buffer.assign(buffer.size() * 2, u'\0');
    }
}

}  // namespace

std::optional<std::vector<std::u16string>> queuedLinks(HWND dialog) {
    if (dialog == nullptr || !IsWindow(dialog))
        return std::nullopt;
    const HWND list = listViewOf(dialog);
    if (list == nullptr)
        return std::nullopt;
    std::vector<std::u16string> links;
    const auto rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        const auto state = static_cast<UINT>(
            SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK));
        if ((state & LVIS_STATEIMAGEMASK) == kTicked)
            links.push_back(firstColumn(list, row));
    }
    return links;
}

}  // namespace tarn
