#include "app/batch/BatchOptions.h"

#include <algorithm>
#include <map>
#include <string_view>

#include <CLI/CLI.hpp>

#include "app/OptionTable.h"
#include "app/ParseFailure.h"
#include "app/RequestFlags.h"
#include "app/batch/ExitCodes.h"

bool isBatchCommand(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--")
            return false;
        if (arg == "--check")
            return true;
    }
    return false;
}

std::optional<BatchOptions> parseBatchOptions(int argc, const char* const* argv, std::ostream& out,
                                              std::ostream& err, int& exitCode) {
    BatchOptions options;
    bool check = false;
    CLI::App app{"Checks the external links of HTML pages without a dialog, for scripts and CI.",
                 "tarnlink --check"};
    app.add_flag("--check", check, "check the pages and report on standard output")->required();
    app.add_option("PATH", options.paths, "a page, or a folder searched for *.html and *.htm")->required();
    app.add_option("--root", options.roots, "check only inside the element with this id (repeatable)")
        ->type_name("ID")
        ->allow_extra_args(false);
    const std::map<std::string, BatchOptions::Format> formats{
        {"text", BatchOptions::Format::Text},         {"json", BatchOptions::Format::Json},
        {"junit", BatchOptions::Format::Junit},       {"github", BatchOptions::Format::Github},
        {"markdown", BatchOptions::Format::Markdown}, {"sarif", BatchOptions::Format::Sarif}};
    std::string format = "text";
    app.add_option("--format", format,
                   "report format: text (default), json, junit, github (workflow annotations), markdown "
                   "(a summary table) or sarif (SARIF 2.1.0, with the fixes as replacements)")
        ->check(CLI::IsMember(formats))
        ->type_name("FORMAT");
    app.add_option("--output", options.outputPath, "write the report to FILE instead of standard output")
        ->type_name("FILE");
    app.add_flag("--all", options.all, "text report: list every link, not only those that are not OK");
    std::vector<std::string> fixes;
    app.add_option("--fix", fixes,
                   "fix these kinds of links (comma-separated): redirects replaces a link that answers 301 or "
                   "308 by the end of its permanent redirects when that answers OK and is not suspect")
        ->delimiter(',')
        ->check(CLI::IsMember({"redirects"}))
        ->type_name("KIND[,KIND]")
        ->allow_extra_args(false);
    app.add_flag("--fix-redirects", options.fixRedirects, "the same as --fix redirects");
    app.add_flag("--fix-cross-host", options.fixCrossHost,
                 "let a redirect fix lead to another host (another registrable domain or IP address)");
    app.add_flag("--dry-run", options.dryRun, "make and report the fixes, but write no page");
    app.add_option("--diff", options.diffPath,
                   "write a unified diff of the pages the fixes change (or would, with --dry-run) to FILE, "
                   "for git apply")
        ->type_name("FILE");
    addRequestOptions(app, options.requests);
    app.add_option("--module", options.modulePath, "load the link check module from PATH")->type_name("PATH");
    app.footer(
        "Exit status: 0 when no link is a link error, 1 when one is, 2 on usage and file errors,\n"
        "130 or 143 when stopped by SIGINT or SIGTERM (after the report of what was checked).");
    if (asksForOptionTable(argc, argv)) {
        writeOptionTable(app, out);
        exitCode = BATCH_CLEAN;
        return std::nullopt;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = reportParseFailure(app, e, out, err);
        exitCode = code == 0 ? BATCH_CLEAN : BATCH_FAILED;
        return std::nullopt;
    }
    options.format = formats.at(format);
    options.fixRedirects = options.fixRedirects || std::find(fixes.begin(), fixes.end(), "redirects") != fixes.end();
    return options;
}
