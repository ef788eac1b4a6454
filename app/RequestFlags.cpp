#include "app/RequestFlags.h"

#include <CLI/CLI.hpp>

void addRequestOptions(CLI::App& app, tarn::RequestOptions& options) {
    app.add_option("--parallel", options.parallel,
                   "requests at once while checking, ahead of the link being checked (default 64, or the "
                   "setting checkParallel; 1: one link at a time)")
        ->type_name("N")
        ->check(CLI::Range(1, 256));
    app.add_option("--per-host", options.perHost,
                   "requests at once to one host (default 4, or the setting checkPerHost)")
        ->type_name("N")
        ->check(CLI::Range(1, 64));
}
