#pragma once
#include <cstdint>
#include <set>
#include <utility>

class Document;

// The attributes that tell every checker to leave a link alone: ours, and the one sites already write for
// another checker. Any value counts, an empty one too.
constexpr const char* kIgnoreMarkers[] = {"data-tarnlink-ignore", "data-proofer-ignore"};

// Where the start tags of the page's ignored elements stand (line, column): those that carry a marker and
// every element inside them. A row's element is found by the place the dialog's double click reports.
std::set<std::pair<std::uint32_t, std::uint32_t>> ignoredPlaces(const Document& document);
