#include "app/ProgramOptions.h"

#include <CLI/CLI.hpp>

#include "app/OptionTable.h"
#include "app/ParseFailure.h"
#include "app/RequestFlags.h"
#include "hostlibs/common/BrowserEndpoints.h"

namespace {

// A browser's debugging endpoint answers whoever asks, so only one on this machine is taken.
std::string checkBrowserEndpoint(std::string& endpoint) {
    if (tarn::browser::isLoopbackEndpoint(endpoint))
        return {};
    return endpoint + " is not a port on this machine: only 127.0.0.1 (or any 127.x.x.x), [::1] and localhost "
                      "are asked, with a port from 1 to 65535";
}

}  // namespace

std::optional<ProgramOptions> parseOptions(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                                           int& exitCode) {
    ProgramOptions options;
    CLI::App app{"Checks the external links of an HTML page and corrects them in a dialog.", "tarnlink"};
    app.add_option("FILE", options.page, "the page to check")->required();
    app.add_option("--root", options.roots,
                   "check only inside the element with this id (repeatable)")
        ->type_name("ID")
        ->allow_extra_args(false);
    app.add_option("--module", options.modulePath, "load the link check module from PATH")->type_name("PATH");
    app.add_option("--browser", options.browsers,
                   "ask the browser whose remote debugging endpoint is HOST:PORT for the page it shows "
                   "(repeatable, asked in this order before the setting browserEndpoints)")
        ->type_name("HOST:PORT")
        ->allow_extra_args(false)
        ->check(CLI::Validator(checkBrowserEndpoint, "", "loopback endpoint"));
    addRequestOptions(app, options.requests);
    app.add_flag("--automate", options.automate,
                 "drive the dialog by JSON commands on standard input, one per line");
    app.set_version_flag("--version", "tarnlink " TARN_VERSION);
    app.footer("Exit status: 0 when the dialog ran and its corrections were saved; 2 on any failure.\n"
               "For scripts and CI: tarnlink --check [options] PATH... (see tarnlink --check --help).");
    if (asksForOptionTable(argc, argv)) {
        writeOptionTable(app, out);
        exitCode = EXIT_DONE;
        return std::nullopt;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = reportParseFailure(app, e, out, err);
        exitCode = code == 0 ? EXIT_DONE : EXIT_FAILED;
        return std::nullopt;
    }
    return options;
}
