#include "app/batch/PageCheck.h"

#include <chrono>
#include <iostream>
#include <optional>

#include "app/EntryCall.h"
#include "app/HostWindow.h"
#include "app/LoadedPage.h"
#include "app/ModalWatch.h"
#include "app/PageHost.h"
#include "app/PluginModule.h"
#include "app/SaveCorrections.h"
#include "app/StopSignals.h"
#include "app/batch/CheckerNotes.h"
#include "app/batch/DialogDriver.h"
#include "app/batch/RedirectPlan.h"
#include "platform/win/Utf8.h"

namespace {

int statusOf(const std::string& code) {
    if (code.empty() || code.size() > 3)
        return 0;
    int status = 0;
    for (const char digit : code) {
        if (digit < '0' || digit > '9')
            return 0;
        status = status * 10 + (digit - '0');
    }
    return status;
}

// The status and what the host's checker kept of the link's URL.
void addCheckerNotes(LinkRecord& link) {
    link.status = statusOf(link.code);
    if (link.key() == std::string_view("stopped"))
        return;
    if (std::optional<tarn::CheckNote> note = checkerNote(link.url)) {
        if (link.status >= 300 && link.status < 400)
            link.redirect = note->location;
        if (link.status == 0)
            link.failure = note->failure;
    }
}

}  // namespace

PageRecord checkPage(const std::string& path, const PageCheckSetting& setting) {
    const auto start = std::chrono::steady_clock::now();
    PageRecord record;
    record.path = path;
    auto finish = [&]() -> PageRecord {
        record.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return std::move(record);
    };

    std::optional<LoadedPage> page;
    try {
        page = LoadedPage::load(path);
    } catch (const std::exception& e) {
        record.failure = e.what();
        return finish();
    }
    HostWindow window(*page->document);
    PageHost host(*page->document, setting.roots, &window);
    if (std::vector<std::u16string> missing = host.missingRoots(); !missing.empty()) {
        record.failure = "no element with id \"" + win::EncodeUtf8(missing.front()) + "\"";
        return finish();
    }
    if (!window.Create()) {
        record.failure = "cannot create the host window";
        return finish();
    }

    DialogDriver driver(window, setting.signals, setting.progress, path,
                        setting.fixRedirects ? redirectPlanner(setting.signals) : DialogDriver::Planner{});
    headless::HeadlessFrontEnd frontEnd;
    frontEnd.AddStep(driver.step());
    ModalWatch watch(frontEnd);
    win::SetModalFrontEnd(&watch);
    const std::optional<std::string> escaped = runEntry(setting.module.entry(), host);
    win::SetModalFrontEnd(nullptr);
    if (escaped) {
        record.failure = "the link check failed: " + *escaped;
        return finish();
    }
    if (!watch.started() && !host.documentChanged()) {
        record.failure = "the link check dialog could not be opened";
        return finish();
    }

    record.links = std::move(driver.rows());
    for (LinkRecord& link : record.links)
        addCheckerNotes(link);
    for (const RowFix& fix : driver.kept())
        record.replaced.emplace_back(record.links[static_cast<std::size_t>(fix.row)].url, win::EncodeUtf8(fix.url));
    if (host.documentChanged()) {
        // The report owns standard output; what was written where goes with the other messages.
        const StopSignals& signals = setting.signals;
        std::optional<Saved> saved =
            saveCorrections(*page, host, std::cerr, [&signals] { return signals.arrived(); });
        if (!saved)
            record.failure = "the corrected page could not be written";
        else if (!saved->complete)
            record.failure = "the corrected page could not be written in its place";
        if (saved && saved->path)
            record.writtenTo = *saved->path;
    }
    return finish();
}
