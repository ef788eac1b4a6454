// The terminal front end's frame over a list of 100 000 rows: painting the dialog, putting it into the
// frame and flushing it through ncurses to a terminal (a pseudo-terminal whose output is read and
// dropped). Prints the time of a whole frame drawn from scratch, of a frame after the list scrolled a
// page, and after the selection moved one row, with the bytes each sent to the terminal; then the
// module's own dialog over a page of 100 000 links, fitted to a terminal of 200 x 50 and of 100 x 30 in
// turn: its layout (the dialog's code and the mapping to cells, compact at 100 x 30) and the frame.

#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "app/PageHost.h"
#include "bench/BenchDialog.h"
#include "bench/BenchSupport.h"
#include "contracts/host/CQuorCommon.h"
#include "contracts/host/CRegistryBase.h"
#include "hostlibs/dom/HtmlParser.h"
#include "module/dlg/CTarnLinkCheckDlg.h"
#include "module/plugin/ModuleStartup.h"
#include "platform/headless/HeadlessFrontEnd.h"
#include "platform/paint/DialogPainter.h"
#include "platform/tui/Frame.h"
#include "platform/tui/Terminal.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/WinControls.h"
#include "platform/win/WinUser.h"
#include "platform/win/WindowInput.h"

namespace {

constexpr int kRows = 100000;
constexpr int kWidth = 200;
constexpr int kHeight = 50;
constexpr int kFrames = 100;

std::atomic<long long> sent{0};

// The dialog's shape at 200 x 48 cells: a list of six columns over most of it, a few controls around.
HWND BuildDialog() {
    HWND dialog = CreateWindowExW(0, u"#32770", u"外部リンク チェック", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, kWidth,
                                  kHeight - 2, nullptr, nullptr, nullptr, nullptr);
    tarn::bench::addControl(dialog, u"Static", u"&URL:", 0, 10, 0, 0, 8, 1);
    tarn::bench::addControl(dialog, u"Edit", u"http://example.test/", WS_BORDER, 11, 8, 0, 60, 1);
    tarn::bench::addControl(dialog, u"ComboBox", u"", CBS_DROPDOWNLIST, 12, 70, 0, 20, 6);
    HWND list = tarn::bench::addControl(dialog, u"SysListView32", u"", WS_BORDER | LVS_REPORT, 13, 0, 2, kWidth - 2, 40);
    tarn::bench::addControl(dialog, u"Button", u"&Check", BS_DEFPUSHBUTTON, 1, 0, 44, 10, 1);
    tarn::bench::addControl(dialog, u"Button", u"Cancel", BS_PUSHBUTTON, 2, 12, 44, 10, 1);
    tarn::bench::fillList(list, kRows, 60, 26);
    return dialog;
}

void Frame(tui::Terminal& terminal, HWND dialog) {
    const paint::CellGrid grid = paint::PaintDialog(dialog);
    tui::Frame frame(terminal.Width(), terminal.Height());
    frame.Clear({0, 0, frame.width, frame.height}, tui::Role::Backdrop);
    frame.Blit(grid, 0, 1, {0, 1, frame.width, frame.height - 2}, tui::Role::Dialog);
    frame.Mend();
    terminal.Draw(std::move(frame));
}

// Runs `step` then one frame, kFrames times; prints the mean time and bytes of a frame.
template <typename Step>
void Time(FILE* out, const char* what, tui::Terminal& terminal, HWND dialog, Step step) {
    double total = 0;
    double worst = 0;
    const long long before = sent.load();
    for (int i = 0; i < kFrames; ++i) {
        step();
        const auto start = std::chrono::steady_clock::now();
        Frame(terminal, dialog);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        total += took.count();
        worst = std::max(worst, took.count());
    }
    // The reader may lag a little behind; the figure is a rough size of what a frame sends.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::fprintf(out, "%-44s %7.3f ms mean, %7.3f ms worst, %8lld bytes a frame\n", what, total / kFrames, worst,
                 (sent.load() - before) / kFrames);
}

// The module's dialog over kRows links, run by the headless front end with the check started by hand, and
// fitted in turn to the two terminals as the terminal front end fits it.
void TimeResizes(FILE* out, tui::Terminal& terminal) {
    std::string home = (std::filesystem::temp_directory_path() / "tui-bench-XXXXXX").string();
    if (::mkdtemp(home.data()) == nullptr)
        return;
    ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    CRegistryBase(CQuorCommon::getHKCUTarnpageOptions(), HKEY_CURRENT_USER, 1, 1, 0)
        .SetValueDWORD(u"isLinkCheckManualStart", 1);
    static int moduleImage;
    linkCheckModuleAttach(reinterpret_cast<HINSTANCE>(&moduleImage));
    auto document = tarn::dom::loadDocument(tarn::bench::generatePage(kRows));
    PageHost host(*document, {});
    headless::HeadlessFrontEnd frontEnd({[&](headless::HeadlessFrontEnd& running) {
        HWND dialog = running.Dialog();
        double layout[2] = {0, 0};  // to 100 x 30 (compact), to 200 x 50
        double total = 0;
        double worst = 0;
        for (int i = 0; i < kFrames; ++i) {
            const bool compact = i % 2 == 0;
            const auto start = std::chrono::steady_clock::now();
            MaximizeWindow(dialog, 0, 0, compact ? 100 : kWidth, compact ? 28 : kHeight - 2);
            const auto laidOut = std::chrono::steady_clock::now();
            Frame(terminal, dialog);
            const auto end = std::chrono::steady_clock::now();
            layout[compact ? 0 : 1] += std::chrono::duration<double, std::milli>(laidOut - start).count();
            const double took = std::chrono::duration<double, std::milli>(end - start).count();
            total += took;
            worst = std::max(worst, took);
        }
        std::fprintf(out, "%-44s %7.3f ms mean\n", "layout, to 100 x 30 (compact)", layout[0] / (kFrames / 2));
        std::fprintf(out, "%-44s %7.3f ms mean\n", "layout, to 200 x 50", layout[1] / (kFrames / 2));
        std::fprintf(out, "%-44s %7.3f ms mean, %7.3f ms worst\n", "layout and frame after a resize", total / kFrames,
                     worst);
        return true;
    }});
    win::SetModalFrontEnd(&frontEnd);
    {
        CTarnLinkCheckDlg dialog(&host, nullptr, nullptr);
        dialog.DoModal();
    }
    win::SetModalFrontEnd(nullptr);
    linkCheckModuleDetach();
    std::error_code error;
    std::filesystem::remove_all(home, error);
}

}  // namespace

int main() {
    std::setlocale(LC_CTYPE, "C.UTF-8");
    FILE* out = fdopen(dup(STDOUT_FILENO), "w");
    int master = -1;
    int slave = -1;
    winsize size{static_cast<unsigned short>(kHeight), static_cast<unsigned short>(kWidth), 0, 0};
    if (openpty(&master, &slave, nullptr, nullptr, &size) != 0) {
        std::perror("openpty");
        return 1;
    }
    std::thread reader([master] {
        char buffer[65536];
        for (ssize_t n; (n = read(master, buffer, sizeof buffer)) > 0;)
            sent += n;
    });
    dup2(slave, STDIN_FILENO);
    dup2(slave, STDOUT_FILENO);
    setenv("TERM", "xterm-256color", 1);

    HWND dialog = BuildDialog();
    HWND list = GetDlgItem(dialog, 13);
    SetFocus(list);
    {
        tui::Terminal terminal;
        std::fprintf(out, "%d rows, a %d x %d terminal, %d frames each\n", kRows, kWidth, kHeight, kFrames);
        double paintOnly = 1e9;
        for (int i = 0; i < kFrames; ++i) {
            const auto start = std::chrono::steady_clock::now();
            const paint::CellGrid grid = paint::PaintDialog(dialog);
            paintOnly = std::min(paintOnly, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        std::fprintf(out, "%-44s %7.3f ms best\n", "painting the dialog alone", paintOnly);
        Time(out, "whole frame, drawn from scratch", terminal, dialog, [&] { terminal.Invalidate(); });
        Time(out, "list scrolled a page (PageDown)", terminal, dialog,
             [&] { SendMessageW(list, WM_KEYDOWN, VK_NEXT, 0); });
        SendMessageW(list, LVM_ENSUREVISIBLE, kRows / 2, FALSE);
        Time(out, "selection moved one row (Down)", terminal, dialog,
             [&] { SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0); });
        std::fprintf(out, "resizes between 200 x 50 and 100 x 30, %d links:\n", kRows);
        TimeResizes(out, terminal);
    }
    DestroyWindow(dialog);
    close(slave);
    close(STDIN_FILENO);
    close(STDOUT_FILENO);
    // With no slave end left the reader's read fails and it ends.
    reader.join();
    close(master);
    std::fclose(out);
    return 0;
}
