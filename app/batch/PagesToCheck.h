#pragma once
#include <string>
#include <vector>

// The pages a run checks: each PATH that is a folder gives its *.html and *.htm files, searched
// recursively and sorted by path; any other PATH is a page as given (a missing one is reported when
// it is read). A folder that cannot be searched gives a failure under its own name, and the pages
// beside it are still found; a folder that holds no page gives one too.
struct PagesToCheck {
    struct Failure {
        std::string path;
        std::string message;
    };
    std::vector<std::string> pages;
    std::vector<Failure> failures;
};

PagesToCheck findPages(const std::vector<std::string>& paths);
