#include "app/batch/BatchOptions.h"

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
        {"text", BatchOptions::Format::Text}, {"json", BatchOptions::Format::Json}, {"junit", BatchOptions::Format::Junit}};
    std::string format = "text";
    app.add_option("--format", format, "report format: text (default), json or junit")
        ->check(CLI::IsMember({"text", "json", "junit"}))
        ->type_name("FORMAT");
    app.add_flag("--all", options.all, "text report: list every link, not only those that are not OK");
    app.add_flag("--fix-redirects", options.fixRedirects,
                 "replace links that answer 301 or 308 by the end of their redirects when it answers OK");
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
    return options;
}
