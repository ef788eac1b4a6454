// The list view with 100 000 rows: how long the operations a dialog runs over every row take, through
// CListCtrl and real messages, with a parent that receives every notification.

#include "platform/afx/CListCtrl.h"
#include "platform/win/WinUser.h"

#include <chrono>
#include <ctime>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 100000;

LRESULT CountingParent(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        ++*static_cast<long*>(GetWindowUserData(hWnd));
        return 0;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

// Wall-clock and processor time: on a busy machine the second says what the work itself costs.
template <typename Work>
void Time(const char* what, Work work) {
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    const double cpu = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    std::printf("%-52s %9.1f ms wall %9.1f ms cpu\n", what, took.count(), cpu);
}

int CompareData(LPARAM a, LPARAM b, LPARAM) { return a < b ? 1 : (a > b ? -1 : 0); }

int CompareText(LPARAM a, LPARAM b, LPARAM ctrl) {
    const auto* list = reinterpret_cast<const CListCtrl*>(ctrl);
    return list->GetItemText(static_cast<int>(a), 1).Compare(list->GetItemText(static_cast<int>(b), 1));
}

}  // namespace

int main() {
    long notes = 0;
    HWND parent = CreateMessageWindow(&CountingParent, &notes);
    HWND hList = CreateWindowExW(0, u"SysListView32", u"", WS_CHILD | WS_BORDER | LVS_REPORT | LVS_SINGLESEL, 0, 0,
                                 117, 30, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(100)), nullptr,
                                 nullptr);
    CListCtrl list;
    list.Attach(hList);
    list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    for (int column = 0; column < 6; ++column)
        list.InsertColumn(column, u"Column", LVCFMT_LEFT, 18);

    std::vector<std::u16string> urls;
    for (int row = 0; row < kRows; ++row) {
        std::u16string url = u"http://example.test/page/";
        for (char c : std::to_string((row * 7919) % kRows))
            url += static_cast<char16_t>(c);
        urls.push_back(url);
    }

    Time("fill: InsertItem, 3 SetItemText, SetItemData", [&] {
        for (int row = 0; row < kRows; ++row) {
            list.InsertItem(row, u"link");
            list.SetItemText(row, 1, urls[static_cast<std::size_t>(row)].c_str());
            list.SetItemText(row, 2, u"OK");
            list.SetItemText(row, 3, u"200");
            list.SetItemData(row, static_cast<DWORD_PTR>(row) + 1);
        }
    });
    Time("per row: FindItem by data, SetCheck, GetItemText", [&] {
        for (int row = 0; row < kRows; ++row) {
            LVFINDINFOW find{};
            find.flags = LVFI_PARAM;
            find.lParam = row + 1;
            const int found = list.FindItem(&find);
            list.SetCheck(found, TRUE);
            list.GetItemText(found, 1);
        }
    });
    Time("per row: select and GetNextItem(LVNI_SELECTED)", [&] {
        for (int row = 0; row < kRows; ++row) {
            list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            list.GetNextItem(-1, LVNI_SELECTED);
        }
    });
    SetWindowLongW(hList, GWL_STYLE, GetWindowLongW(hList, GWL_STYLE) & ~static_cast<LONG>(LVS_SINGLESEL));
    Time("select all (SetItemState -1)", [&] { list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED); });
    Time("autosize column 1", [&] { list.SetColumnWidth(1, LVSCW_AUTOSIZE); });
    Time("SortItems by data (descending)", [&] { list.SortItems(&CompareData, 0); });
    Time("SortItemsEx by URL text through GetItemText", [&] {
        list.SortItemsEx(&CompareText, reinterpret_cast<DWORD_PTR>(&list));
    });
    Time("DeleteAllItems", [&] { list.DeleteAllItems(); });
    std::printf("notifications received: %ld\n", notes);
    list.Detach();
    DestroyWindow(parent);
    return 0;
}
