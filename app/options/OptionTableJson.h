#pragma once
#include <iosfwd>

namespace CLI {
class App;
}

// The manual page and the shell completion are made at build time from the command lines' own option
// tables, so that they list what the program accepts and nothing else. `tarnlink --options-table` (and
// `tarnlink --check --options-table`), before any `--`, writes the table of that command line as JSON
// instead of running.
bool asksForOptionTable(int argc, const char* const* argv);

// One object: "name", "description" and "options", each option with its "names" (or the positional's
// name), "positional", "value" (the name of its value; empty for a flag), "values" (the words it takes,
// when its check or transform names them), "description", "env" and "repeatable".
void writeOptionTable(CLI::App& app, std::ostream& out);
