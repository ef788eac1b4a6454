#include "app/Program.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <optional>

#include "app/AutomationSession.h"
#include "app/BrowserNotices.h"
#include "app/EntryCall.h"
#include "app/ForPeople.h"
#include "app/HostWindow.h"
#include "app/LoadedPage.h"
#include "app/ModalWatch.h"
#include "app/PageHost.h"
#include "app/PluginModule.h"
#include "app/ProgramOptions.h"
#include "app/SaveCorrections.h"
#include "app/StopSignals.h"
#include "app/TerminalRun.h"
#include "app/batch/BatchOptions.h"
#include "app/batch/BatchRun.h"
#include "hostlibs/common/BrowserEndpoints.h"
#include "platform/tui/TerminalLocale.h"
#include "platform/win/Utf8.h"

namespace {

std::vector<std::u16string> rootIds(const std::vector<std::string>& roots) {
    std::vector<std::u16string> ids;
    for (const std::string& root : roots)
        ids.push_back(win::DecodeUtf8(root));
    return ids;
}

int runAutomated(const LoadedPage& page, PageHost& host, HostWindow& window,
                 const PluginModule& module) {
    StopSignals signals;
    // Standard output carries the JSON lines only; a person reads standard error.
    BrowserNotices browserNotices(std::cerr);
    AutomationSession session(host, window, signals, STDIN_FILENO, stdout);
    ModalWatch watch(session.frontEnd());
    win::SetModalFrontEnd(&watch);
    std::optional<std::string> escaped = runEntry(module.entry(), host);
    win::SetModalFrontEnd(nullptr);

    if (escaped) {
        fail("the link check failed: " + *escaped + "; nothing was saved");
        session.printExit(-1, false, std::nullopt);
        return EXIT_FAILED;
    }
    // The entry gives no result: the host learns of an OK through notifyUpdate alone, which follows a
    // dialog that ran. Without either, the dialog never opened.
    if (!host.documentChanged() && !watch.started()) {
        fail("the link check dialog could not be opened");
        session.printExit(-1, false, std::nullopt);
        return EXIT_FAILED;
    }
    const int modalResult = host.documentChanged() ? IDOK : IDCANCEL;
    // Standard output carries only the JSON lines.
    std::optional<Saved> saved = saveCorrections(page, host, std::cerr, [&signals] { return signals.arrived(); });
    session.printExit(modalResult, saved && saved->saved, saved ? saved->path : std::nullopt);
    return saved && saved->complete ? EXIT_DONE : EXIT_FAILED;
}

// The dialog in the terminal; the terminal is given back before anything is said or saved.
int runInTerminal(const LoadedPage& page, PageHost& host, HostWindow& window, const PluginModule& module,
                  const std::string& pagePath) {
    StopSignals signals;
    BrowserNotices browserNotices(window);
    std::optional<std::string> escaped;
    bool started = false;
    try {
        if (std::optional<std::string> note = tui::UseUtf8Locale())
            fail(*note);
        TerminalRun terminal(window, pagePath, signals);
        ModalWatch watch(terminal.frontEnd());
        win::SetModalFrontEnd(&watch);
        escaped = runEntry(module.entry(), host);
        win::SetModalFrontEnd(nullptr);
        started = watch.started();
        terminal.restore();
    } catch (const tui::TerminalError& e) {
        fail(e.what());
        return EXIT_FAILED;
    }
    if (escaped) {
        fail("the link check failed: " + *escaped + "; nothing was saved");
        return EXIT_FAILED;
    }
    if (!host.documentChanged() && !started) {
        fail("the link check dialog could not be opened");
        return EXIT_FAILED;
    }
    std::optional<Saved> saved = saveCorrections(page, host, std::cout, [&signals] { return signals.arrived(); });
    return saved && saved->complete ? EXIT_DONE : EXIT_FAILED;
}

}  // namespace

int runProgram(int argc, const char* const* argv) {
    if (isBatchCommand(argc, argv))
        return runBatch(argc, argv);
    int exitCode = EXIT_DONE;
    std::optional<ProgramOptions> options = parseOptions(argc, argv, std::cout, std::cerr, exitCode);
    if (!options)
        return exitCode;
    tarn::browser::setCommandLineEndpoints(options->browsers);
    applyCheckerOptions(options->checker);

    std::optional<LoadedPage> page;
    try {
        page = LoadedPage::load(options->page);
    } catch (const std::exception& e) {
        fail(e.what());
        return EXIT_FAILED;
    }
    HostWindow window(*page->document);
    PageHost host(*page->document, rootIds(options->roots), &window);
    if (std::vector<std::u16string> missing = host.missingRoots(); !missing.empty()) {
        for (const std::u16string& id : missing)
            fail("no element with id \"" + win::EncodeUtf8(id) + "\" in " + options->page);
        return EXIT_FAILED;
    }
    if (!options->automate && (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO))) {
        fail("standard input or output is not a terminal: use --check for a report, or --automate for a script");
        return EXIT_FAILED;
    }

    std::optional<PluginModule> module;
    try {
        module = PluginModule::load(options->modulePath);
    } catch (const PluginModuleError& e) {
        fail(e.what());
        return EXIT_FAILED;
    }
    if (!window.Create()) {
        fail("cannot create the host window");
        return EXIT_FAILED;
    }
    if (!options->automate)
        return runInTerminal(*page, host, window, *module, options->page);
    return runAutomated(*page, host, window, *module);
}
