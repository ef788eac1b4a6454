#pragma once
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/options/OptionTable.h"
#include "hostlibs/run/RunOptions.h"

// What the command line asks of tarnlink.
struct ProgramOptions {
    std::string page;                 // FILE
    std::vector<std::string> roots;   // --root ID, in the given order
    std::string modulePath;           // --module PATH; empty: beside the program
    bool automate = false;            // --automate
    std::vector<std::string> browsers;  // --browser HOST:PORT, in the given order
    tarn::RequestOptions requests;      // the host's checker's options
    std::string config;                 // --config FILE; empty: tarnlink.toml in the working folder, if any
};

// Exit codes of the program.
constexpr int EXIT_DONE = 0;     // the dialog ran and what it asked to save was saved
constexpr int EXIT_FAILED = 2;   // usage, file, module or dialog failure; nothing saved

// The dialog's command line, bound to `options`.
OptionTable dialogOptionTable(ProgramOptions& options);

// Reads the command line, and the config file for what it leaves. Help and version go to `out`, usage errors to `err`; then there is nothing to
// run and `exitCode` says how the program ends (0 after help or version, EXIT_FAILED after an error).
std::optional<ProgramOptions> parseOptions(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                                           int& exitCode);
