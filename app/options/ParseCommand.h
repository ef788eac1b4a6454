#pragma once
#include <iosfwd>
#include <optional>
#include <set>
#include <string>

#include "app/options/OptionTable.h"

namespace CLI {
class App;
}

// Every key a config file may hold: those of each command's table.
std::set<std::string> configKeys(const OptionTable& table);

// Reads a command line by `table` into the options it binds, then the config file (`configPath` once the
// command line is read: --config, else the default file when present) into what the command line left.
// Nothing to run: the exit code, after help or version on `out` (0) or one line per error on `err` (2).
std::optional<int> parseCommand(CLI::App& app, const OptionTable& table, const std::string& configPath,
                                const std::set<std::string>& otherKeys, int argc, const char* const* argv,
                                std::ostream& out, std::ostream& err);
