#pragma once
#include <chrono>
#include <optional>
#include <string>

// Seconds in "30s", "10m", "12h", "7d"; none when `text` is not such a duration.
std::optional<std::chrono::seconds> parseDuration(const std::string& text);
// Why `text` is no duration, quoting it; empty when it is one.
std::string durationProblem(const std::string& text);
