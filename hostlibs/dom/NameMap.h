#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tarn::dom {

// A map keyed by names (tag names, kinds) that is searched with a string_view, so that a look-up
// on the parser's path copies no name.
struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

template <class Value>
using NameMap = std::unordered_map<std::string, Value, NameHash, std::equal_to<>>;

}  // namespace tarn::dom
