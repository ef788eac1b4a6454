#pragma once
#include <iosfwd>

#include <CLI/CLI.hpp>

// Ends a command line that did not parse as CLI11 ends it (help and version on `out`), with the message
// on `err` shown safely: it quotes what was typed, which may hold anything. Returns CLI11's exit code.
int reportParseFailure(const CLI::App& app, const CLI::ParseError& error, std::ostream& out, std::ostream& err);
