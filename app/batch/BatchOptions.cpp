#include "app/batch/BatchOptions.h"

#include <algorithm>

#include <CLI/CLI.hpp>

#include "app/batch/AcceptedCodes.h"
#include "app/options/Duration.h"
#include "app/batch/ExitCodes.h"
#include "app/batch/LinkScope.h"
#include "app/options/CommandLine.h"
#include "app/options/ParseCommand.h"
#include "app/options/RequestOptionTable.h"

bool isBatchCommand(int argc, const char* const* argv) {
    return givenBeforeEnd(argc, argv, "--check");
}

OptionTable batchOptionTable(BatchOptions& options) {
    OptionTable table{
        {.name = "--check",
         .help = "check the pages and report on standard output",
         .target = &options.check,
         .required = true},
        {.name = "PATH",
         .help = "a page, or a folder searched for *.html and *.htm",
         .target = &options.paths,
         .required = true},
        {.name = "--root",
         .typeName = "ID",
         .help = "check only inside the element with this id (repeatable)",
         .target = &options.roots},
        {.name = "--format",
         .typeName = "FORMAT",
         .help = "report format: text (default), json, junit, github (workflow annotations), markdown (a summary "
                 "table) or sarif (SARIF 2.1.0, with the fixes as replacements)",
         .target = &options.format,
         .words = {"text", "json", "junit", "github", "markdown", "sarif"}},
        {.name = "--output",
         .typeName = "FILE",
         .help = "write the report to FILE instead of standard output",
         .target = &options.outputPath},
        {.name = "--all",
         .help = "text report: list every link, not only those that are not OK",
         .target = &options.all},
        {.name = "--fix",
         .typeName = "KIND[,KIND]",
         .help = "fix these kinds of links (comma-separated): redirects replaces a link that answers 301 or 308 by "
                 "the end of its permanent redirects when that answers OK and is not suspect; archive replaces a "
                 "dead link (404, 410, a host name that does not resolve) by its archived copy when that answers OK",
         .target = &options.fixes,
         .configKey = "fix",
         .words = {"redirects", "archive"},
         .delimiter = ','},
        {.name = "--fix-redirects", .help = "the same as --fix redirects", .target = &options.fixRedirects},
        {.name = "--fix-cross-host",
         .help = "let a redirect fix lead to another host (another registrable domain or IP address)",
         .target = &options.fixCrossHost,
         .configKey = "fix_cross_host"},
        {.name = "--archive-endpoint",
         .typeName = "URL",
         .help = "ask this availability service for the archived copies of dead links (default "
                 "https://archive.org/wayback/available)",
         .target = &options.archiveEndpoint,
         .configKey = "archive_endpoint",
         .check = webUrlProblem},
        {.name = "--archive-date",
         .typeName = "YYYYMMDD",
         .help = "ask for the archived copy closest to this day (default: the day the page file was last "
                 "modified)",
         .target = &options.archiveDate,
         .configKey = "archive_date",
         .check = dayProblem},
        {.name = "--dry-run", .help = "make and report the fixes, but write no page", .target = &options.dryRun},
        {.name = "--diff",
         .typeName = "FILE",
         .help = "write a unified diff of the pages the fixes change (or would, with --dry-run) to FILE, for git "
                 "apply",
         .target = &options.diffPath},
        {.name = "--exclude",
         .typeName = "REGEX",
         .help = "never request a link whose URL, as the page writes it, holds a match of REGEX (RE2 syntax; "
                 "repeatable)",
         .target = &options.excludes,
         .configKey = "exclude",
         .check = LinkScope::patternProblem},
        {.name = "--include",
         .typeName = "REGEX",
         .help = "request only the links whose URL holds a match of one of these (RE2 syntax; repeatable); an "
                 "include wins over an exclude",
         .target = &options.includes,
         .configKey = "include",
         .check = LinkScope::patternProblem},
        {.name = "--accept",
         .typeName = "CODES",
         .help = "statuses and ranges that do not fail the run though the link is not OK, such as "
                 "200-299,403,429",
         .target = &options.accept,
         .configKey = "accept",
         .check = AcceptedCodes::problem},
        {.name = "--blocked",
         .typeName = "warn|error|ok",
         .help = "what a bot wall (a bot challenge, status 999, a rate limit that holds) is: listed without "
                 "failing the run (warn, the default), a failure (error), or OK (ok)",
         .target = &options.blocked,
         .configKey = "blocked",
         .words = {"warn", "error", "ok"}},
        {.name = "--cache",
         .typeName = "FILE",
         .help = "keep good answers (2xx) in FILE across runs, and do not ask again a URL whose kept answer is "
                 "younger than --max-cache-age",
         .target = &options.cache,
         .configKey = "cache"},
        {.name = "--max-cache-age",
         .typeName = "DURATION",
         .help = "how long a kept answer stands, as 30s, 10m, 12h or 7d (default 1d)",
         .target = &options.maxCacheAge,
         .configKey = "max_cache_age",
         .check = durationProblem},
    };
    for (Option& option : requestOptionTable(options.requests))
        table.push_back(std::move(option));
    table.push_back({.name = "--config",
                     .typeName = "FILE",
                     .help = "read the options the command line does not give from FILE instead of tarnlink.toml "
                             "in the working folder",
                     .target = &options.config});
    table.push_back(
        {.name = "--module", .typeName = "PATH", .help = "load the link check module from PATH", .target = &options.modulePath});
    return table;
}

std::optional<BatchOptions> parseBatchOptions(int argc, const char* const* argv, std::ostream& out,
                                              std::ostream& err, int& exitCode) {
    BatchOptions options;
    CLI::App app{"Checks the external links of HTML pages without a dialog, for scripts and CI.",
                 "tarnlink --check"};
    app.footer(
        "Exit status: 0 when no link is a link error, 1 when one is, 2 on usage and file errors,\n"
        "130 or 143 when stopped by SIGINT or SIGTERM (after the report of what was checked).");
    const OptionTable table = batchOptionTable(options);
    if (const std::optional<int> code = parseCommand(app, table, options.config, {}, argc, argv, out, err)) {
        exitCode = *code == 0 ? BATCH_CLEAN : BATCH_FAILED;
        return std::nullopt;
    }
    options.fixRedirects =
        options.fixRedirects || std::find(options.fixes.begin(), options.fixes.end(), "redirects") != options.fixes.end();
    options.fixArchive = std::find(options.fixes.begin(), options.fixes.end(), "archive") != options.fixes.end();
    return options;
}
