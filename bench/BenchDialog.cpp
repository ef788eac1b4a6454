#include "bench/BenchDialog.h"

#include <string>

#include "platform/win/CommCtrl.h"
#include "platform/win/WinControls.h"
#include "platform/win/WinUser.h"

namespace tarn::bench {

HWND addControl(HWND dialog, LPCWSTR className, LPCWSTR text, DWORD style, int id, int x, int y, int width,
                int height) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, dialog,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
}

void fillList(HWND list, int rows, int firstWidth, int otherWidth) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    for (int column = 0; column < 6; ++column) {
        LVCOLUMNW header{};
        header.mask = LVCF_TEXT | LVCF_WIDTH;
        header.cx = column == 0 ? firstWidth : otherWidth;
        header.pszText = const_cast<LPWSTR>(u"Column");
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&header));
    }
    for (int row = 0; row < rows; ++row) {
        std::u16string url = u"http://例え.test/page/";
        for (char c : std::to_string(row))
            url += static_cast<char16_t>(c);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = url.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int column = 1; column < 6; ++column) {
            LVITEMW sub{};
            sub.iSubItem = column;
            sub.pszText = const_cast<LPWSTR>(column % 2 == 0 ? u"OK" : u"リンク切れ");
            SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
        }
    }
}

}  // namespace tarn::bench
