#pragma once
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "app/options/OptionTable.h"

// The config file a run reads when none is named: in the working folder, when it is there.
constexpr const char* kDefaultConfigFile = "tarnlink.toml";

// Reads the config file `path` (empty: kDefaultConfigFile when present, else nothing) into the table's
// options that `given` says the command line did not give: the command line wins. `otherKeys` are keys
// that other commands read from the same file, which this one passes over. Returns one line for the
// user when the file cannot be read or parsed, or holds an unknown key or a value of the wrong type or
// range: the file, the line and the key.
std::optional<std::string> readConfigFile(const std::string& path, const OptionTable& table,
                                          const std::function<bool(const Option&)>& given,
                                          const std::set<std::string>& otherKeys);
