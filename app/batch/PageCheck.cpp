#include "app/batch/PageCheck.h"

#include <chrono>
#include <iostream>
#include <optional>
#include <set>
#include <vector>

#include "app/HostWindow.h"
#include "app/LoadedPage.h"
#include "app/ModuleRun.h"
#include "app/PageHost.h"
#include "app/SaveCorrections.h"
#include "app/StopSignals.h"
#include "app/batch/ArchivePlan.h"
#include "app/batch/DialogDriver.h"
#include "app/batch/IgnoreMarkers.h"
#include "app/batch/RedirectPlan.h"
#include "contracts/dialog/LinkCheckFace.h"
#include "platform/headless/HeadlessFrontEnd.h"
#include "platform/win/Utf8.h"

namespace {

// The planners of the fix kinds asked for, as one: a row gets the first fix planned for it. With a cache,
// a permanent redirect is followed to its end even when no fix is asked for: the cache keeps it only when
// that end answered well.
DialogDriver::Planner fixPlanner(const PageCheckSetting& setting, const std::string& path,
                                 const std::shared_ptr<tarn::RunContext>& run) {
    std::vector<DialogDriver::Planner> planners;
    if (setting.fixRedirects)
        planners.push_back(redirectPlanner(setting.signals, run->journal(), setting.fixCrossHost));
    else if (run->options().cache)
        planners.push_back(redirectEndFinder(setting.signals, run->journal()));
    if (setting.archive) {
        ArchiveLookup lookup = *setting.archive;
        if (lookup.date.empty())
            lookup.date = modificationDay(path);
        planners.push_back(archivePlanner(setting.signals, run, std::move(lookup)));
    }
    if (planners.size() <= 1)
        return planners.empty() ? DialogDriver::Planner{} : std::move(planners.front());
    return [planners = std::move(planners)](const std::vector<LinkRecord>& rows) {
        FixPlan plan;
        std::set<int> planned;
        for (const DialogDriver::Planner& planner : planners) {
            FixPlan part = planner(rows);
            for (RowFix& fix : part.fixes) {
                if (planned.insert(fix.row).second)
                    plan.fixes.push_back(std::move(fix));
            }
            for (SkippedFix& skipped : part.skipped)
                plan.skipped.push_back(std::move(skipped));
        }
        return plan;
    };
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
    DialogDriver driver(window, setting.signals, setting.progress, path, journal, excluded,
                        fixPlanner(setting, path, run));
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
