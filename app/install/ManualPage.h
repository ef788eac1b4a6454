#pragma once
#include <string>

#include <nlohmann/json.hpp>

// The parts of tarnlink(1) made from an option table (as writeOptionTable writes it), in man(7) markup.
std::string manualSynopsis(const nlohmann::json& table);
std::string manualOptions(const nlohmann::json& table);
