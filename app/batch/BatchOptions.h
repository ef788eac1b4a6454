#pragma once
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "hostlibs/run/RunOptions.h"

// What `tarnlink --check` is asked to do.
struct BatchOptions {
    enum class Format { Text, Json, Junit, Github, Markdown, Sarif };

    std::vector<std::string> paths;  // pages and folders, in the given order
    std::vector<std::string> roots;  // --root ID
    std::string modulePath;          // --module PATH; empty: beside the program
    Format format = Format::Text;
    bool all = false;                // --all: every link in the text report, not only the failing ones
    bool fixRedirects = false;       // --fix redirects, or --fix-redirects
    bool fixCrossHost = false;       // --fix-cross-host: a redirect to another host may be written
    bool dryRun = false;             // --dry-run: the fixes are made and reported, no page is written
    std::string diffPath;            // --diff FILE: the patch of the fixes; empty: none
    std::string outputPath;          // --output FILE: the report; empty: standard output
    tarn::RequestOptions requests;   // --parallel, --per-host
};

// Whether the command line asks for the batch check (`--check` before any `--`).
bool isBatchCommand(int argc, const char* const* argv);

// Reads a `--check` command line, as parseOptions does the dialog's.
std::optional<BatchOptions> parseBatchOptions(int argc, const char* const* argv, std::ostream& out,
                                              std::ostream& err, int& exitCode);
