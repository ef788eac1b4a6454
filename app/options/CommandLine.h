#pragma once
#include <string_view>

#include "app/options/OptionTable.h"

namespace CLI {
class App;
}

// Adds the table's options to a command line, in the table's order.
void addOptions(CLI::App& app, const OptionTable& table);

// Whether the parsed command line gave the option.
bool givenOn(const CLI::App& app, const Option& option);

// Whether `word` is one of the arguments before any "--" (a word that picks what the command does).
bool givenBeforeEnd(int argc, const char* const* argv, std::string_view word);
