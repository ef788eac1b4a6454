#pragma once
#include <string>
#include <vector>

// The pages a run checks: each PATH that is a folder gives its *.html and *.htm files, searched
// recursively and sorted by path; any other PATH is a page as given (a missing one is reported when
// it is read). A folder that cannot be searched, or holds no page, gives a failure.
struct PagesToCheck {
    struct Failure {
        std::string path;
        std::string message;
    };
    std::vector<std::string> pages;
    std::vector<Failure> failures;
};

PagesToCheck findPages(const std::vector<std::string>& paths);
