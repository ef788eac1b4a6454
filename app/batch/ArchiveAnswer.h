#pragma once
#include <optional>
#include <string>
#include <string_view>

// The snapshot an availability answer offers: its archived_snapshots.closest when that is available and
// was archived with status 200 (a string or a number), and its URL is an http or https URL. None for any
// other answer, whatever its bytes.
std::optional<std::string> availableSnapshot(std::string_view answer);
