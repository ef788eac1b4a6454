#include "app/batch/PagesToCheck.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool isPage(const fs::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".html" || extension == ".htm";
}

}  // namespace

PagesToCheck findPages(const std::vector<std::string>& paths) {
    PagesToCheck list;
    for (const std::string& path : paths) {
        std::error_code error;
        if (!fs::is_directory(path, error)) {
            list.pages.push_back(path);
            continue;
        }
        std::vector<std::string> found;
        fs::recursive_directory_iterator walk(path, fs::directory_options::none, error);
        for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
            std::error_code typeError;
            if (walk->is_regular_file(typeError) && isPage(walk->path()))
                found.push_back(walk->path().string());
        }
        if (error) {
            list.failures.push_back({path, "cannot search the folder: " + error.message()});
        } else if (found.empty()) {
            list.failures.push_back({path, "no *.html or *.htm page in the folder"});
        }
        std::sort(found.begin(), found.end());
        list.pages.insert(list.pages.end(), found.begin(), found.end());
    }
    return list;
}
