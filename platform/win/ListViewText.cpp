#include "platform/win/ListViewText.h"

#include <algorithm>

#include "platform/win/CommCtrl.h"
#include "platform/win/WinUser.h"

std::u16string ListViewText(HWND list, int row, int column) {
    std::u16string text;
    for (std::size_t room = 256;; room = std::min(room * 4, kListViewTextLimit)) {
        text.assign(room, u'\0');
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(room);
        const LRESULT copied =
            SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        if (copied < static_cast<LRESULT>(room) - 1 || room == kListViewTextLimit) {
            text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, static_cast<LRESULT>(room) - 1)));
            return text;
        }
    }
}
