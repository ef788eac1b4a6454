#include "hostlibs/common/PageList.h"

#include <nlohmann/json.hpp>

namespace tarn::browser {

std::optional<ListedPage> FirstListedPage(const std::string& body) {
    const nlohmann::json list = nlohmann::json::parse(body, nullptr, false);
    if (!list.is_array())
        return std::nullopt;
    for (const nlohmann::json& entry : list) {
        if (!entry.is_object())
            continue;
        const auto type = entry.find("type");
        const auto url = entry.find("url");
        if (type == entry.end() || *type != "page" || url == entry.end() || !url->is_string())
            continue;
        const auto title = entry.find("title");
        return ListedPage{url->get<std::string>(),
                          title != entry.end() && title->is_string() ? title->get<std::string>() : std::string()};
    }
    return std::nullopt;
}

}  // namespace tarn::browser
