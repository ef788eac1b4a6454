// The link check dialog over a generated page: how long opening it takes (collection, windows, the
// list's fill) and each operation the user runs over the whole list, driven by the headless front end
// exactly as a user's clicks; and the most heap the dialog held, as a multiple of the page's size.
// Usage: dialog_bench [links...]   (default 10000 100000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/PageHost.h"
#include "bench/BenchSupport.h"
#include "bench/HeapMeter.h"
#include "hostlibs/dom/HtmlParser.h"
#include "module/dlg/CTarnLinkCheckDlg.h"
#include "contracts/host/CQuorCommon.h"
#include "contracts/host/CRegistryBase.h"
#include "module/plugin/ModuleStartup.h"
#include "module/res/resource.h"
#include "platform/headless/HeadlessFrontEnd.h"
#include "platform/win/WinReg.h"

namespace {

using Clock = std::chrono::steady_clock;
using headless::HeadlessFrontEnd;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// One timed user action inside the running dialog.
HeadlessFrontEnd::Step Timed(const char* what, std::function<void(HeadlessFrontEnd&)> action) {
    return [what, action = std::move(action)](HeadlessFrontEnd& frontEnd) {
        const auto start = Clock::now();
        const std::clock_t cpuStart = std::clock();
        action(frontEnd);
        std::printf("  %-26s %9.1f ms  (%.1f ms processor)\n", what, MillisecondsSince(start),
                    1e3 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
        return true;
    };
}

void RunDialog(int links) {
    const std::string page = tarn::bench::generatePage(links);
    auto document = tarn::dom::loadDocument(page);
    PageHost host(*document, {});
    std::printf("%d links, page %.2f MB\n", links, page.size() / 1e6);

    const std::size_t base = tarn::bench::HeapMeter::held();
    tarn::bench::HeapMeter::reset();
    const auto openStart = Clock::now();
    std::vector<HeadlessFrontEnd::Step> steps = {
        [&](HeadlessFrontEnd&) {
            std::printf("  %-26s %9.1f ms\n", "open (collect and fill)", MillisecondsSince(openStart));
            return true;
        },
        Timed("filter: errors only", [](HeadlessFrontEnd& f) { f.Select(IDC_FILTER_COMBO, 1); }),
        Timed("filter: all links", [](HeadlessFrontEnd& f) { f.Select(IDC_FILTER_COMBO, 0); }),
    };
    static const char* const sorts[] = {"sort by URL", "sort by result", "sort by code",
                                        "sort by text", "sort by tag", "sort by attribute"};
    for (int column = 0; column < 6; ++column)
        steps.push_back(Timed(sorts[column], [column](HeadlessFrontEnd& f) { f.Header(column); }));
    steps.push_back(Timed("sort by URL, descending", [](HeadlessFrontEnd& f) {
        f.Header(0);
        f.Header(0);
    }));
    steps.push_back(Timed("clear all", [](HeadlessFrontEnd& f) { f.Click(IDC_CLEAR_ALL); }));
    steps.push_back(Timed("select all", [](HeadlessFrontEnd& f) { f.Click(IDC_SELECT_ALL); }));
    steps.push_back(Timed("paint the screen", [](HeadlessFrontEnd& f) { f.Screen(); }));

    HeadlessFrontEnd frontEnd(std::move(steps));
    win::SetModalFrontEnd(&frontEnd);
    {
        CTarnLinkCheckDlg dialog(&host, nullptr, nullptr);
        dialog.DoModal();
    }
    win::SetModalFrontEnd(nullptr);
    std::printf("  %-26s %9.2f x the page\n", "peak heap of the dialog",
                static_cast<double>(tarn::bench::HeapMeter::peakAbove(base)) / page.size());
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // A registry of its own, with manual start on: no check run starts while the operations are timed.
    std::string home = (std::filesystem::temp_directory_path() / "dialog-bench-XXXXXX").string();
    if (::mkdtemp(home.data()) == nullptr)
        return 1;
    ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    CRegistryBase(CQuorCommon::getHKCUTarnpageOptions(), HKEY_CURRENT_USER, 1, 1, 0)
        .SetValueDWORD(u"isLinkCheckManualStart", 1);
    static int moduleImage;
    linkCheckModuleAttach(reinterpret_cast<HINSTANCE>(&moduleImage));

    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {10000, 100000};
    for (int links : sizes)
        RunDialog(links);

    linkCheckModuleDetach();
    std::error_code error;
    std::filesystem::remove_all(home, error);
    return 0;
}
