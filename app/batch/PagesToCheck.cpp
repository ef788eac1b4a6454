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

// The pages under `folder`, into `found`. A folder that cannot be read is a failure under its own
// name, and the walk goes on with its siblings. Links to folders are not followed, so a link loop
// cannot hold the walk.
void walkFolder(const fs::path& folder, std::vector<std::string>& found, std::vector<PagesToCheck::Failure>& failures) {
    std::error_code error;
    fs::directory_iterator entries(folder, fs::directory_options::none, error);
    std::vector<fs::path> subfolders;
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::error_code typeError;
        if (entries->is_directory(typeError) && !entries->is_symlink(typeError))
            subfolders.push_back(entries->path());
        else if (entries->is_regular_file(typeError) && isPage(entries->path()))
            found.push_back(entries->path().string());
    }
    if (error)
        failures.push_back({folder.string(), "cannot search the folder: " + error.message()});
    for (const fs::path& subfolder : subfolders)
        walkFolder(subfolder, found, failures);
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
        const std::size_t failuresBefore = list.failures.size();
        walkFolder(path, found, list.failures);
        if (found.empty() && list.failures.size() == failuresBefore)
            list.failures.push_back({path, "no *.html or *.htm page in the folder"});
        std::sort(found.begin(), found.end());
        list.pages.insert(list.pages.end(), found.begin(), found.end());
    }
    return list;
}
