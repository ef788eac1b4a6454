#pragma once
#include <string>

// A page's path as CI tools and `git apply` expect it: relative to the working folder.
std::string workingPath(const std::string& path);
