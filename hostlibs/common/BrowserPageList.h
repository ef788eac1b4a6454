#pragma once
#include <optional>
#include <string>

namespace tarn::browser {

// A page the browser shows, as its remote debugging endpoint lists it (UTF-8), without control characters.
struct ListedPage {
    std::string url;
    std::string title;
};

// What the body of /json/list says.
struct PageListAnswer {
    bool isList = false;            // the body is a browser's list of pages
    std::optional<ListedPage> page;  // its first web page
};

// Reads the body of /json/list: its first entry of type "page" with an http or https URL. The browser
// lists the page in front first; its own pages (chrome:, devtools:, about:, extensions) and data: or
// blob: URLs are no link target, and are passed over.
PageListAnswer ReadPageList(const std::string& body);

}  // namespace tarn::browser
