#include "app/options/Duration.h"

#include <charconv>

std::optional<std::chrono::seconds> parseDuration(const std::string& text) {
    if (text.size() < 2)
        return std::nullopt;
    long long count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size() - 1, count);
    if (error != std::errc() || end != text.data() + text.size() - 1 || count < 0 || count > 100'000'000)
        return std::nullopt;
    switch (text.back()) {
        case 's': return std::chrono::seconds(count);
        case 'm': return std::chrono::minutes(count);
        case 'h': return std::chrono::hours(count);
        case 'd': return std::chrono::hours(24 * count);
        default: return std::nullopt;
    }
}

std::string durationProblem(const std::string& text) {
    if (parseDuration(text))
        return {};
    return "\"" + text + "\" is not a duration such as 30s, 10m, 12h or 7d";
}
