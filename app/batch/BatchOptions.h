#pragma once
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/options/OptionTable.h"
#include "hostlibs/run/RunOptions.h"

// What `tarnlink --check` is asked to do.
struct BatchOptions {
    bool check = false;              // --check
    std::vector<std::string> paths;  // pages and folders, in the given order
    std::vector<std::string> roots;  // --root ID
    std::string modulePath;          // --module PATH; empty: beside the program
    std::string format = "text";     // --format: text, json, junit, github, markdown or sarif
    bool all = false;                // --all: every link in the text report, not only the failing ones
    std::vector<std::string> fixes;  // --fix KIND[,KIND]
    bool fixRedirects = false;       // --fix redirects, or --fix-redirects
    bool fixCrossHost = false;       // --fix-cross-host: a redirect to another host may be written
    bool fixArchive = false;         // --fix archive
    std::string archiveEndpoint = "https://archive.org/wayback/available";  // --archive-endpoint URL
    std::string archiveDate;         // --archive-date YYYYMMDD; empty: each page file's modification day
    bool dryRun = false;             // --dry-run: the fixes are made and reported, no page is written
    std::string diffPath;            // --diff FILE: the patch of the fixes; empty: none
    std::string outputPath;          // --output FILE: the report; empty: standard output
    std::vector<std::string> excludes;  // --exclude REGEX
    std::vector<std::string> includes;  // --include REGEX
    std::string accept;                 // --accept CODES; empty: none
    std::string blocked = "warn";       // --blocked: warn, error or ok
    std::string cache;                  // --cache FILE; empty: none
    std::string maxCacheAge = "1d";     // --max-cache-age
    tarn::RequestOptions requests;   // the host's checker's options
    std::string config;              // --config FILE; empty: tarnlink.toml in the working folder, if any
};

// The batch check's command line and config file keys, bound to `options`.
OptionTable batchOptionTable(BatchOptions& options);

// Whether the command line asks for the batch check (`--check` before any `--`).
bool isBatchCommand(int argc, const char* const* argv);

// Reads a `--check` command line, and the config file, as parseOptions does the dialog's.
std::optional<BatchOptions> parseBatchOptions(int argc, const char* const* argv, std::ostream& out,
                                              std::ostream& err, int& exitCode);
