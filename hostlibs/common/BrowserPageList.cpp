#include "hostlibs/common/BrowserPageList.h"

#include <string>

#include <nlohmann/json.hpp>

namespace tarn::browser {

namespace {

bool IsWebPage(const std::string& url) {
    const std::size_t colon = url.find(':');
    if (colon == std::string::npos)
        return false;
    std::string scheme = url.substr(0, colon);
    for (char& c : scheme)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return scheme == "http" || scheme == "https";
}

// Text from the browser is taken as pasted text is: without control characters, which would otherwise go
// from the edit box into the page. In UTF-8 each is one byte of its own.
std::string WithoutControls(std::string text) {
    std::erase_if(text, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
    return text;
}

}  // namespace

PageListAnswer ReadPageList(const std::string& body) {
    const nlohmann::json list = nlohmann::json::parse(body, nullptr, false);
    if (!list.is_array())
        return {};
    for (const nlohmann::json& entry : list) {
        if (!entry.is_object())
            continue;
        const auto type = entry.find("type");
        const auto url = entry.find("url");
        if (type == entry.end() || *type != "page" || url == entry.end() || !url->is_string())
            continue;
        std::string pageUrl = WithoutControls(url->get<std::string>());
        if (!IsWebPage(pageUrl))
            continue;
        const auto title = entry.find("title");
        return {true, ListedPage{std::move(pageUrl), title != entry.end() && title->is_string()
                                                         ? WithoutControls(title->get<std::string>())
                                                         : ""}};
    }
    return {true, std::nullopt};
}

}  // namespace tarn::browser
