#include "app/Program.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <optional>

#include "app/AutomationSession.h"
#include "app/ForPeople.h"
#include "app/HostWindow.h"
#include "app/LoadedPage.h"
#include "app/ModuleRun.h"
#include "app/Notices.h"
#include "app/PageHost.h"
#include "app/PluginModule.h"
#include "app/ProgramOptions.h"
#include "app/SaveCorrections.h"
#include "app/StopSignals.h"
#include "app/TerminalRun.h"
#include "app/batch/BatchOptions.h"
#include "app/batch/BatchRun.h"
#include "hostlibs/run/RunContext.h"
#include "platform/tui/TerminalLocale.h"
#include "platform/win/Utf8.h"

namespace {

std::vector<std::u16string> rootIds(const std::vector<std::string>& roots) {
    std::vector<std::u16string> ids;
    for (const std::string& root : roots)
        ids.push_back(win::DecodeUtf8(root));
    return ids;
}

// The run of the dialog: the command line's request limits and browsers, notices where `notices` puts them.
std::shared_ptr<tarn::RunContext> dialogRun(const ProgramOptions& options, tarn::NoticeSink notices) {
    tarn::RunOptions run;
    run.requests = options.requests;
    run.browserEndpoints = options.browsers;
    run.notices = std::move(notices);
    return std::make_shared<tarn::RunContext>(std::move(run));
}

int runAutomated(const ProgramOptions& options, const LoadedPage& page, PageHost& host, HostWindow& window,
                 const PluginModule& module) {
    StopSignals signals;
    AutomationSession session(host, window, signals, STDIN_FILENO, stdout);
    // Standard output carries the JSON lines only; a person reads standard error.
    ModuleRun dialog(module, host, dialogRun(options, noticesTo(std::cerr)));
    if (!dialog.run(session.frontEnd())) {
        fail(dialog.threw() ? dialog.failure() + "; nothing was saved" : dialog.failure());
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
int runInTerminal(const ProgramOptions& options, const LoadedPage& page, PageHost& host, HostWindow& window,
                  const PluginModule& module) {
    StopSignals signals;
    const std::shared_ptr<tarn::RunContext> run = dialogRun(options, noticesTo(window));
    ModuleRun dialog(module, host, run);
    bool ran = false;
    try {
        if (std::optional<std::string> note = tui::UseUtf8Locale())
            fail(*note);
        TerminalRun terminal(window, options.page, signals, run->journal());
        ran = dialog.run(terminal.frontEnd());
        terminal.restore();
    } catch (const tui::TerminalError& e) {
        fail(e.what());
        return EXIT_FAILED;
    }
    if (!ran) {
        fail(dialog.threw() ? dialog.failure() + "; nothing was saved" : dialog.failure());
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
        return runInTerminal(*options, *page, host, window, *module);
    return runAutomated(*options, *page, host, window, *module);
}
