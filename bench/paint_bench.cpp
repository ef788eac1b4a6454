// Painting a dialog whose list view holds 100 000 rows: the painter asks only for the rows shown, so a
// paint costs the same whatever the list holds. Prints the time of one paint at the top, the middle and
// the end of the list, of one paint rendered to text, and of paints with a long text in the edit box.

#include "bench/BenchDialog.h"
#include "platform/paint/DialogPainter.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/WinControls.h"
#include "platform/win/WinUser.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr int kRows = 100000;
constexpr int kPaints = 200;

// The full-screen dialog's shape: 117 x 40 cells inside the frame, a list of six columns over most of it.
HWND BuildDialog() {
    HWND dialog = CreateWindowExW(0, u"#32770", u"外部リンク チェック", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 119,
                                  42, nullptr, nullptr, nullptr, nullptr);
    tarn::bench::addControl(dialog, u"Static", u"&URL:", 0, 10, 0, 0, 8, 1);
    tarn::bench::addControl(dialog, u"Edit", u"http://example.test/", WS_BORDER, 11, 8, 0, 60, 1);
    tarn::bench::addControl(dialog, u"ComboBox", u"", CBS_DROPDOWNLIST, 12, 70, 0, 20, 6);
    HWND list = tarn::bench::addControl(dialog, u"SysListView32", u"", WS_BORDER | LVS_REPORT, 13, 0, 2, 117, 34);
    tarn::bench::addControl(dialog, u"Button", u"&Check", BS_DEFPUSHBUTTON, 1, 0, 38, 10, 1);
    tarn::bench::addControl(dialog, u"Button", u"Cancel", BS_PUSHBUTTON, 2, 12, 38, 10, 1);
    tarn::bench::fillList(list, kRows, 19, 19);
    return dialog;
}

void TimePaints(const char* where, HWND dialog) {
    double best = 1e9;
    for (int paint = 0; paint < kPaints; ++paint) {
        const auto start = std::chrono::steady_clock::now();
        const paint::CellGrid grid = paint::PaintDialog(dialog);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    std::printf("paint, %-18s %8.3f ms (best of %d)\n", where, best, kPaints);
}

}  // namespace

int main() {
    HWND dialog = BuildDialog();
    HWND list = GetDlgItem(dialog, 13);
    TimePaints("list at the top", dialog);
    SendMessageW(list, LVM_ENSUREVISIBLE, kRows / 2, FALSE);
    TimePaints("list in the middle", dialog);
    SendMessageW(list, LVM_ENSUREVISIBLE, kRows - 1, FALSE);
    TimePaints("list at the end", dialog);
    const auto start = std::chrono::steady_clock::now();
    const std::size_t lines = paint::PaintDialog(dialog).Lines().size();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("paint and render %zu lines as UTF-8 %8.3f ms\n", lines, took.count());
    // An edit box given as much as it holds (a URL from a browser, say), shown from its start: a paint lays
    // out the text from the first character shown to its end, so its cost grows with the text, linearly.
    HWND edit = GetDlgItem(dialog, 11);
    for (const int units : {4096, 8192, 16384, 32767}) {
        SetWindowTextW(edit, std::u16string(static_cast<std::size_t>(units), u'a').c_str());
        SendMessageW(edit, EM_SETSEL, 0, 0);
        char where[32];
        std::snprintf(where, sizeof where, "edit %5d", units);
        TimePaints(where, dialog);
    }
    DestroyWindow(dialog);
    return 0;
}
