#include "app/batch/BatchRun.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <iostream>

#include "app/ForPeople.h"
#include "app/Notices.h"
#include "app/PluginModule.h"
#include "app/StopSignals.h"
#include "app/batch/BatchOptions.h"
#include "app/options/Duration.h"
#include "app/batch/ExitCodes.h"
#include "app/batch/PageCheck.h"
#include "app/batch/PagesToCheck.h"
#include "app/batch/Progress.h"
#include "app/batch/ReportOutput.h"
#include "app/batch/Reports.h"
#include "contracts/dialog/LinkCheckFace.h"
#include "contracts/host/CQuorCommon.h"
#include "hostlibs/run/AnswerCache.h"
#include "hostlibs/run/RunContext.h"
#include "platform/win/WinReg.h"
#include "platform/win/Utf8.h"

namespace {

// The dialog's setting, for this run only (its settings stay in memory): the check starts when Start is
// pressed.
void startByHand() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, CQuorCommon::getHKCUTarnpageOptions().GetString(), 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    const DWORD manual = 1;
    RegSetValueExW(key, linkcheck::SETTING_MANUAL_START, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&manual),
                   sizeof manual);
    RegCloseKey(key);
}

int exitCodeOf(const RunRecord& run, const StopSignals& signals) {
    if (run.interrupted)
        return 128 + signals.first();
    for (const PageRecord& page : run.pages) {
        if (page.failure)
            return BATCH_FAILED;
    }
    return run.counts().errors > 0 ? BATCH_LINK_ERRORS : BATCH_CLEAN;
}

// Where the report or the patch goes: FILE, created or emptied before any page is checked, so that a
// name that cannot be written ends the run before it begins; empty: standard output.
std::unique_ptr<ReportOutput> openOutput(const std::string& path) {
    if (path.empty())
        return std::make_unique<ReportOutput>(STDOUT_FILENO, "standard output");
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        fail("cannot write " + path + ": " + std::strerror(errno));
        return nullptr;
    }
    return std::make_unique<ReportOutput>(fd, path);
}

// A report that could not be written whole fails the run, whatever the links said: a CI job must not
// pass on an empty or cut report (nor apply a cut patch).
bool finishOutput(ReportOutput& output, const char* what) {
    if (std::optional<std::string> error = output.finish()) {
        fail(std::string("cannot write the ") + what + " to " + output.name() + ": " + *error);
        return false;
    }
    return true;
}

bool writeReport(const BatchOptions& options, const RunRecord& run, ReportOutput& output) {
    const std::string& format = options.format;
    if (format == "json")
        writeJsonReport(output.stream(), run);
    else if (format == "junit")
        writeJunitReport(output.stream(), run);
    else if (format == "github")
        writeGithubReport(output.stream(), run);
    else if (format == "markdown")
        writeMarkdownReport(output.stream(), run);
    else if (format == "sarif")
        writeSarifReport(output.stream(), run);
    else
        writeTextReport(output.stream(), run, options.all);
    return finishOutput(output, "report");
}

}  // namespace

int runBatch(int argc, const char* const* argv) {
    int exitCode = BATCH_CLEAN;
    std::optional<BatchOptions> options = parseBatchOptions(argc, argv, std::cout, std::cerr, exitCode);
    if (!options)
        return exitCode;
    tarn::RunOptions runOptions;
    runOptions.requests = options->requests;
    // The dialog stores the manual-start choice and its size as it ends; a check leaves the user's
    // settings as they were.
    runOptions.settings = tarn::SettingsStore::InMemory;
    // A link that answered 2xx or 3xx on one page is not asked again on the next.
    runOptions.goodAnswers = tarn::AnswerReuse::WholeRun;
    // Standard output may carry the report; a person reads standard error.
    runOptions.notices = noticesTo(std::cerr);
    if (!options->cache.empty()) {
        std::string warning;
        runOptions.cache = tarn::AnswerCache::load(options->cache, *parseDuration(options->maxCacheAge), warning);
        if (!warning.empty())
            fail(warning);
    }
    const auto context = std::make_shared<tarn::RunContext>(std::move(runOptions));
    // In effect between the pages too, so the settings stay in memory from the first page to the last.
    const tarn::RunScope scope(context);
    // The rows left out are unticked before the check starts.
    startByHand();

    std::optional<PluginModule> module;
    try {
        module = PluginModule::load(options->modulePath);
    } catch (const PluginModuleError& e) {
        fail(e.what());
        return BATCH_FAILED;
    }

    const std::unique_ptr<ReportOutput> report = openOutput(options->outputPath);
    const std::unique_ptr<ReportOutput> patch = options->diffPath.empty() ? nullptr : openOutput(options->diffPath);
    if (!report || (!options->diffPath.empty() && !patch))
        return BATCH_FAILED;

    const auto start = std::chrono::steady_clock::now();
    StopSignals signals;
    std::unique_ptr<Progress> progress = Progress::forTerminal();
    const LinkScope links(options->excludes, options->includes);
    LinkRules rules;
    if (!options->accept.empty())
        rules.accepted = AcceptedCodes::parse(options->accept);
    rules.blocked = options->blocked == "error" ? BlockedAs::Error
                    : options->blocked == "ok" ? BlockedAs::Ok
                                               : BlockedAs::Warn;
    const bool keepChanges = patch != nullptr || options->format == "sarif";
    PageCheckSetting setting{*module,
                             {},
                             signals,
                             progress.get(),
                             options->fixRedirects,
                             options->fixCrossHost,
                             options->fixArchive ? std::optional<ArchiveLookup>(ArchiveLookup{options->archiveEndpoint,
                                                                                              options->archiveDate})
                                                 : std::nullopt,
                             options->dryRun,
                             keepChanges,
                             context,
                             links,
                             rules};
    for (const std::string& root : options->roots)
        setting.roots.push_back(win::DecodeUtf8(root));

    RunRecord run;
    run.dryRun = options->dryRun;
    const PagesToCheck list = findPages(options->paths);
    for (const PagesToCheck::Failure& failure : list.failures) {
        fail(failure.path + ": " + failure.message);
        PageRecord record;
        record.path = failure.path;
        record.failure = failure.message;
        run.pages.push_back(std::move(record));
    }
    for (const std::string& path : list.pages) {
        if (signals.arrived())
            break;
        PageRecord record = checkPage(path, setting);
        // A file's own errors name it already.
        if (record.failure)
            fail(record.failure->find(path) != std::string::npos ? *record.failure : path + ": " + *record.failure);
        run.pages.push_back(std::move(record));
    }
    run.interrupted = signals.arrived();
    // What was learnt is kept, after a signal too; a cache that cannot be saved is said, and the next run
    // asks again.
    if (const std::shared_ptr<tarn::AnswerCache>& cache = context->options().cache) {
        if (std::optional<std::string> error = cache->save(options->cache))
            fail(*error);
    }
    if (progress)
        progress->clear();
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (patch) {
        writePatch(patch->stream(), run);
        if (!finishOutput(*patch, "patch"))
            return BATCH_FAILED;
    }
    if (!writeReport(*options, run, *report))
        return BATCH_FAILED;
    return exitCodeOf(run, signals);
}
