// The list view with 10 000 and 100 000 rows: how long the operations a dialog runs over every row take,
// through CListCtrl and real messages, with a parent that receives every notification; and what the rows
// hold on the heap, with texts copied from C strings and with texts shared from CStrings.
// Usage: listview_bench [rows...]   (default 10000 100000)

#include "bench/HeapMeter.h"
#include "platform/afx/CListCtrl.h"
#include "platform/win/WinUser.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

using tarn::bench::HeapMeter;

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
    std::printf("  %-52s %9.1f ms wall %9.1f ms cpu\n", what, took.count(), cpu);
}

// The heap the work leaves held and the most it held meanwhile, per row.
template <typename Work>
void Heap(const char* what, int rows, Work work) {
    const std::size_t base = HeapMeter::held();
    HeapMeter::reset();
    work();
    std::printf("  %-52s %9.1f bytes a row held, %6.1f at the peak\n", what,
                static_cast<double>(HeapMeter::held() - base) / rows,
                static_cast<double>(HeapMeter::peakAbove(base)) / rows);
}

int CompareData(LPARAM a, LPARAM b, LPARAM) { return a < b ? 1 : (a > b ? -1 : 0); }

int CompareText(LPARAM a, LPARAM b, LPARAM ctrl) {
    const auto* list = reinterpret_cast<const CListCtrl*>(ctrl);
    return list->GetItemText(static_cast<int>(a), 1).Compare(list->GetItemText(static_cast<int>(b), 1));
}

void Run(int rows) {
    std::printf("%d rows\n", rows);
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

    std::vector<CString> urls;
    for (int row = 0; row < rows; ++row) {
        std::u16string url = u"http://example.test/page/";
        for (char c : std::to_string((row * 7919) % rows))
            url += static_cast<char16_t>(c);
        urls.emplace_back(url);
    }
    const CString ok(u"OK");
    const CString code(u"200");

    Heap("rows copying C strings: InsertItem, 3 SetItemText", rows, [&] {
        Time("fill: InsertItem, 3 SetItemText, SetItemData", [&] {
            for (int row = 0; row < rows; ++row) {
                list.InsertItem(row, u"link");
                list.SetItemText(row, 1, urls[static_cast<std::size_t>(row)].GetString());
                list.SetItemText(row, 2, ok.GetString());
                list.SetItemText(row, 3, code.GetString());
                list.SetItemData(row, static_cast<DWORD_PTR>(row) + 1);
            }
        });
    });
    Time("per row: FindItem by data, SetCheck, GetItemText", [&] {
        for (int row = 0; row < rows; ++row) {
            LVFINDINFOW find{};
            find.flags = LVFI_PARAM;
            find.lParam = row + 1;
            const int found = list.FindItem(&find);
            list.SetCheck(found, TRUE);
            list.GetItemText(found, 1);
        }
    });
    Time("per row: select and GetNextItem(LVNI_SELECTED)", [&] {
        for (int row = 0; row < rows; ++row) {
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

    const CString link(u"link");
    Heap("rows sharing CStrings: InsertItem, 3 SetItemText", rows, [&] {
        Time("fill sharing CStrings", [&] {
            for (int row = 0; row < rows; ++row) {
                list.InsertItem(row, link);
                list.SetItemText(row, 1, urls[static_cast<std::size_t>(row)]);
                list.SetItemText(row, 2, ok);
                list.SetItemText(row, 3, code);
            }
        });
    });
    list.DeleteAllItems();
    std::printf("  notifications received: %ld\n", notes);
    list.Detach();
    DestroyWindow(parent);
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {10000, 100000};
    for (int rows : sizes)
        Run(rows);
    return 0;
}
