#pragma once

#include "platform/win/RegistryTree.h"
#include "platform/win/WinTypes.h"

#include <filesystem>
#include <string>

namespace win {

// registry.ini in $XDG_CONFIG_HOME/tarn, or ~/.config/tarn when XDG_CONFIG_HOME is unset or relative.
// Empty when neither XDG_CONFIG_HOME nor HOME gives a folder: the store then lives in memory only.
std::filesystem::path RegistryFilePath();

// The keys in the file; an empty tree when it does not exist. A file that cannot be read or parsed is
// renamed to "<name>.damaged-<UTC time>" so the next write does not destroy what it held; with
// keepAside false (a store that never writes) it is left where it is.
RegistryTree LoadRegistryFile(const std::filesystem::path& file, bool keepAside = true);

// Replaces the file atomically: a temporary file in the same folder (created with the folder if need be)
// is written, flushed to disk and renamed over it. Returns ERROR_SUCCESS or a Windows error code; on
// failure the old file is untouched and no temporary file is left.
LONG WriteRegistryFile(const std::filesystem::path& file, const std::string& text);

}  // namespace win
