#include "app/batch/ListView.h"

#include "platform/win/CommCtrl.h"
#include "platform/win/WinUser.h"

int ListView::count() const { return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0)); }

const std::u16string& ListView::text(int row, int column) {
    // The list says how much it copied, not how long the text is: the buffer grows until the text fits
    // with room to spare.
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer_.data();
        item.cchTextMax = static_cast<int>(buffer_.size());
        const auto copied = static_cast<int>(
            SendMessageW(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < static_cast<int>(buffer_.size())) {
            text_.assign(buffer_.data(), static_cast<std::size_t>(copied));
            return text_;
        }
        buffer_.resize(buffer_.size() * 2);
    }
}

int ListView::selected() const {
    return static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}
