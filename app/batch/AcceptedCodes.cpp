#include "app/batch/AcceptedCodes.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace {

std::optional<int> statusOf(std::string_view text) {
    int status = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), status);
    if (error != std::errc() || end != text.data() + text.size() || text.size() != 3 || status < 100)
        return std::nullopt;
    return status;
}

}  // namespace

std::optional<AcceptedCodes> AcceptedCodes::parse(const std::string& text) {
    AcceptedCodes codes;
    std::string_view rest = text;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        const std::size_t dash = item.find('-');
        const std::optional<int> low = statusOf(item.substr(0, dash));
        const std::optional<int> high = dash == std::string_view::npos ? low : statusOf(item.substr(dash + 1));
        if (!low || !high || *high < *low)
            return std::nullopt;
        codes.ranges_.emplace_back(*low, *high);
        if (comma == std::string_view::npos)
            return codes;
        rest.remove_prefix(comma + 1);
    }
}

std::string AcceptedCodes::problem(const std::string& text) {
    if (parse(text))
        return {};
    return "\"" + text + "\" is not a list of statuses and ranges such as 200-299,403,429";
}

bool AcceptedCodes::contains(int status) const {
    return std::any_of(ranges_.begin(), ranges_.end(),
                       [status](const std::pair<int, int>& range) { return status >= range.first && status <= range.second; });
}
