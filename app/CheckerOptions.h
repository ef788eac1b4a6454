#pragma once
#include <optional>

namespace CLI {
class App;
}

// How many requests the host's checker makes at once: the command line's word, else the settings'.
struct CheckerOptions {
    std::optional<int> parallel;  // --parallel N
    std::optional<int> perHost;   // --per-host N
};

// Adds --parallel and --per-host to a command line.
void addCheckerOptions(CLI::App& app, CheckerOptions& options);

// Hands the options to the checker; set before any dialog runs.
void applyCheckerOptions(const CheckerOptions& options);
