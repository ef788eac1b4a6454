#include "app/Program.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <optional>

#include "app/AutomationSession.h"
#include "app/BrowserNotices.h"
#include "app/CorrectionCount.h"
#include "app/HostWindow.h"
#include "app/LoadedPage.h"
#include "app/ModalWatch.h"
#include "app/PageHost.h"
#include "app/PluginModule.h"
#include "app/ProgramOptions.h"
#include "app/StopSignals.h"
#include "hostlibs/common/BrowserEndpoints.h"
#include "platform/afx/CException.h"
#include "platform/afx/Utf8.h"

namespace {

void fail(const std::string& message) { std::cerr << "tarnlink: " << message << '\n'; }

std::vector<std::u16string> rootIds(const std::vector<std::string>& roots) {
    std::vector<std::u16string> ids;
    for (const std::string& root : roots)
        ids.push_back(afx::DecodeUtf8(root));
    return ids;
}

// Runs the module's entry; an exception that leaves it is described, and then nothing may be saved.
std::optional<std::string> runEntry(PluginModule::Entry entry, PageHost& host) {
    try {
        entry(&host);
        return std::nullopt;
    } catch (CException* e) {
        WCHAR text[512] = {};
        std::string message = e->GetErrorMessage(text, 512) ? afx::EncodeUtf8(text) : "a framework exception";
        e->Delete();
        return message;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "an unknown exception";
    }
}

struct Saved {
    bool saved = false;
    std::optional<std::string> path;
};

// Writes the corrected page when the module said it changed the document, and says on `summary` what
// was written where; a failure leaves the page as it was and returns nothing.
std::optional<Saved> saveCorrections(const LoadedPage& page, const PageHost& host, std::ostream& summary) {
    if (!host.documentChanged()) {
        summary << "0 corrections: " << page.file.path() << " is unchanged.\n";
        return Saved{};
    }
    const int count = countCorrections(*page.document);
    try {
        PageFile::SaveResult result = page.file.save(page.correctedBytes());
        if (result.outcome == PageFile::Outcome::Saved)
            summary << count << " correction(s) written to " << result.path << ".\n";
        else
            summary << page.file.path() << " changed on disk meanwhile and was left as it is; " << count
                      << " correction(s) written to " << result.path << " instead.\n";
        return Saved{true, result.path};
    } catch (const PageFileError& e) {
        fail(std::string(e.what()) + "; the page is unchanged");
        return std::nullopt;
    }
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
    std::optional<Saved> saved = saveCorrections(page, host, std::cerr);
    session.printExit(modalResult, saved && saved->saved, saved ? saved->path : std::nullopt);
    return saved ? EXIT_DONE : EXIT_FAILED;
}

}  // namespace

int runProgram(int argc, const char* const* argv) {
    int exitCode = EXIT_DONE;
    std::optional<ProgramOptions> options = parseOptions(argc, argv, std::cout, std::cerr, exitCode);
    if (!options)
        return exitCode;
    tarn::browser::setCommandLineEndpoints(options->browsers);

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
            fail("no element with id \"" + afx::EncodeUtf8(id) + "\" in " + options->page);
        return EXIT_FAILED;
    }
    if (!options->automate) {
        fail("the terminal front end is not available yet; run with --automate");
        return EXIT_FAILED;
    }

    std::optional<PluginModule> module;
    try {
        module = PluginModule::load(options->modulePath.empty() ? PluginModule::defaultPath() : options->modulePath);
    } catch (const PluginModuleError& e) {
        fail(e.what());
        return EXIT_FAILED;
    }
    if (!window.Create()) {
        fail("cannot create the host window");
        return EXIT_FAILED;
    }
    return runAutomated(*page, host, window, *module);
}
