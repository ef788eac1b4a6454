#include "app/ProgramOptions.h"

#include <CLI/CLI.hpp>

#include "app/batch/BatchOptions.h"
#include "app/options/ParseCommand.h"
#include "app/options/RequestOptionTable.h"
#include "hostlibs/common/BrowserEndpoints.h"

namespace {

// A browser's debugging endpoint answers whoever asks, so only one on this machine is taken.
std::string checkBrowserEndpoint(const std::string& endpoint) {
    if (tarn::browser::isLoopbackEndpoint(endpoint))
        return {};
    return endpoint + " is not a port on this machine: only 127.0.0.1 (or any 127.x.x.x), [::1] and localhost "
                      "are asked, with a port from 1 to 65535";
}

}  // namespace

OptionTable dialogOptionTable(ProgramOptions& options) {
    OptionTable table{
        {.name = "FILE", .help = "the page to check", .target = &options.page, .required = true},
        {.name = "--root",
         .typeName = "ID",
         .help = "check only inside the element with this id (repeatable)",
         .target = &options.roots},
        {.name = "--module", .typeName = "PATH", .help = "load the link check module from PATH", .target = &options.modulePath},
        {.name = "--browser",
         .typeName = "HOST:PORT",
         .help = "ask the browser whose remote debugging endpoint is HOST:PORT for the page it shows "
                 "(repeatable, asked in this order before the setting browserEndpoints)",
         .target = &options.browsers,
         .check = checkBrowserEndpoint},
    };
    for (Option& option : requestOptionTable(options.requests))
        table.push_back(std::move(option));
    table.push_back({.name = "--config",
                     .typeName = "FILE",
                     .help = "read the request options from FILE instead of tarnlink.toml in the working folder",
                     .target = &options.config});
    table.push_back({.name = "--automate",
                     .help = "drive the dialog by JSON commands on standard input, one per line",
                     .target = &options.automate});
    return table;
}

std::optional<ProgramOptions> parseOptions(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                                           int& exitCode) {
    ProgramOptions options;
    CLI::App app{"Checks the external links of an HTML page and corrects them in a dialog.", "tarnlink"};
    app.set_version_flag("--version", "tarnlink " TARN_VERSION);
    app.footer("Exit status: 0 when the dialog ran and its corrections were saved; 2 on any failure.\n"
               "For scripts and CI: tarnlink --check [options] PATH... (see tarnlink --check --help).");
    // The dialog takes the request options from the config file and passes over the batch check's keys.
    BatchOptions batch;
    const OptionTable table = dialogOptionTable(options);
    if (const std::optional<int> code = parseCommand(app, table, options.config, configKeys(batchOptionTable(batch)),
                                                     argc, argv, out, err)) {
        exitCode = *code == 0 ? EXIT_DONE : EXIT_FAILED;
        return std::nullopt;
    }
    return options;
}
