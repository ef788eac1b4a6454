#include "hostlibs/common/BrowserPageList.h"

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
        if (type == entry.end() || *type != "page" || url == entry.end() || !url->is_string() ||
            !IsWebPage(url->get<std::string>()))
            continue;
        const auto title = entry.find("title");
        return {true, ListedPage{url->get<std::string>(),
                                 title != entry.end() && title->is_string() ? title->get<std::string>() : ""}};
    }
    return {true, std::nullopt};
}

}  // namespace tarn::browser
