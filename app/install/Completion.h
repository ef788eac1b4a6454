#pragma once
#include <string>

#include <nlohmann/json.hpp>

// The parts of the bash completion made from an option table (as writeOptionTable writes it).

// Every option name, separated by spaces.
std::string completionWords(const nlohmann::json& table);

// The arms of a `case $prev in` that complete the value of each option that takes one: its words, file
// names for a path, nothing for a free value.
std::string completionValues(const nlohmann::json& table);
