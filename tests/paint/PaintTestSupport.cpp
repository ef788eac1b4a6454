#include "tests/paint/PaintTestSupport.h"

#include "platform/paint/DialogPainter.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/WinControls.h"

namespace painttest {

TestDialog::TestDialog(LPCWSTR caption, int clientWidth, int clientHeight)
    : hwnd_(CreateWindowExW(0, u"#32770", caption, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, clientWidth + 2,
                            clientHeight + 2, nullptr, nullptr, nullptr, nullptr)) {}

TestDialog::~TestDialog() {
    if (IsWindow(hwnd_))
        DestroyWindow(hwnd_);
}

HWND TestDialog::Add(LPCWSTR className, LPCWSTR text, DWORD style, int id, int x, int y, int width, int height) {
    HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    EXPECT_NE(control, nullptr);
    return control;
}

void AddColumn(HWND list, LPCWSTR text, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = width;
    column.pszText = const_cast<LPWSTR>(text);
    // An index past the last column appends.
    SendMessageW(list, LVM_INSERTCOLUMNW, 1000, reinterpret_cast<LPARAM>(&column));
}

int AddRow(HWND list, const std::vector<std::u16string>& cells) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<LPWSTR>(cells.at(0).c_str());
    const int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    for (std::size_t column = 1; column < cells.size(); ++column) {
        LVITEMW sub{};
        sub.iSubItem = static_cast<int>(column);
        sub.pszText = const_cast<LPWSTR>(cells[column].c_str());
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
    }
    return row;
}

void SetRowState(HWND list, int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void Tick(HWND list, int row, bool ticked) {
    SetRowState(list, row, INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

void AddItem(HWND combo, LPCWSTR text) { SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }

std::vector<std::string> Picture(HWND hDlg) { return paint::PaintDialog(hDlg).Lines(); }

}  // namespace painttest
