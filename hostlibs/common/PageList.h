#pragma once
#include <optional>
#include <string>

namespace tarn::browser {

// A page the browser shows, as its remote debugging endpoint lists it (UTF-8).
struct ListedPage {
    std::string url;
    std::string title;
};

// The first entry of type "page" with a URL in the body of /json/list; the browser lists the page in
// front first. Nothing when the body is not such a list or names no page.
std::optional<ListedPage> FirstListedPage(const std::string& body);

}  // namespace tarn::browser
