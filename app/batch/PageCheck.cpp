#include "app/batch/PageCheck.h"

#include <chrono>
#include <iostream>
#include <optional>

#include "app/HostWindow.h"
#include "app/LoadedPage.h"
#include "app/ModuleRun.h"
#include "app/PageHost.h"
#include "app/SaveCorrections.h"
#include "app/StopSignals.h"
#include "app/batch/DialogDriver.h"
#include "app/batch/IgnoreMarkers.h"
#include "contracts/dialog/LinkCheckFace.h"
#include "app/batch/RedirectPlan.h"
#include "platform/headless/HeadlessFrontEnd.h"
#include "platform/win/Utf8.h"

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

    const std::shared_ptr<tarn::RunContext> run = setting.run->page();
    const tarn::CheckJournal& journal = run->journal();
    const std::set<std::pair<std::uint32_t, std::uint32_t>> ignored = ignoredPlaces(*page->document);
    auto leftOut = [&ignored, &setting](const std::string& url, std::optional<int> line, std::optional<int> column) {
        return (line && ignored.contains({static_cast<std::uint32_t>(*line), static_cast<std::uint32_t>(*column)})) ||
               setting.scope.excludes(url);
    };
    auto excluded = [&](const std::string& url, const std::optional<SourcePosition>& place) {
        return leftOut(url, place ? std::optional<int>(static_cast<int>(place->line)) : std::nullopt,
                       place ? std::optional<int>(static_cast<int>(place->column)) : std::nullopt);
    };
    // With a cache, a permanent redirect is followed to its end even when no fix is asked for: the cache
    // keeps it only when that end answered well.
    DialogDriver::Planner planner = setting.fixRedirects ? redirectPlanner(setting.signals, journal, setting.fixCrossHost)
                                    : run->options().cache ? redirectEndFinder(setting.signals, journal)
                                                           : DialogDriver::Planner{};
    DialogDriver driver(window, setting.signals, setting.progress, path, journal, excluded, std::move(planner));
    headless::HeadlessFrontEnd frontEnd;
    frontEnd.AddStep(driver.step());
    ModuleRun dialog(setting.module, host, run);
    if (!dialog.run(frontEnd)) {
        record.failure = dialog.failure();
        return finish();
    }

    record.links = std::move(driver.rows());
    for (LinkRecord& link : record.links)
        applyRules(link, setting.rules);
    auto fixRecord = [&record](int row, std::string to, std::string why) {
        const LinkRecord& link = record.links[static_cast<std::size_t>(row)];
        return FixRecord{link.url, std::move(to), std::move(why), link.line, link.column};
    };
    for (const RowFix& fix : driver.kept())
        record.replaced.push_back(fixRecord(fix.row, win::EncodeUtf8(fix.url), fix.why));
    for (const SkippedFix& skipped : driver.skipped())
        record.skipped.push_back(fixRecord(skipped.row, skipped.to, skipped.reason));
    if (host.documentChanged() && setting.keepChanges)
        record.change = PageChange{std::string(page->document->originalBytes()), page->document->writtenEdits()};
    if (host.documentChanged() && !setting.dryRun) {
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
