#include "app/batch/WorkingPath.h"

#include <filesystem>
#include <system_error>

std::string workingPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path relative = std::filesystem::proximate(path, error);
    return error ? path : relative.generic_string();
}
