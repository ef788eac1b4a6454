#include <algorithm>
#include <charconv>
#include <chrono>
#include <string_view>

#include "app/options/OptionTable.h"

OptionCheck inRange(int lowest, int highest) {
    return [lowest, highest](const std::string& value) -> std::string {
        int number = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
        if (error == std::errc() && end == value.data() + value.size() && number >= lowest && number <= highest)
            return {};
        return "\"" + value + "\" is not a whole number from " + std::to_string(lowest) + " to " +
               std::to_string(highest);
    };
}

std::string oneLine(const std::string& value) {
    if (value.find_first_of(std::string("\r\n\0", 3)) == std::string::npos)
        return {};
    return "\"" + value + "\" holds a line break";
}

std::string webUrlProblem(const std::string& value) {
    const bool blank =
        std::any_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
    std::string lower = value;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    for (const std::string_view scheme : {"http://", "https://"}) {
        if (!blank && value.size() > scheme.size() && lower.starts_with(scheme) &&
            value.find_first_of("/?#:@", scheme.size()) != scheme.size())
            return {};
    }
    return "\"" + value + "\" is not an http or https URL";
}

std::string dayProblem(const std::string& value) {
    int number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (value.size() == 8 && error == std::errc() && end == value.data() + value.size()) {
        const std::chrono::year_month_day day{std::chrono::year(number / 10000),
                                              std::chrono::month(static_cast<unsigned>(number / 100 % 100)),
                                              std::chrono::day(static_cast<unsigned>(number % 100))};
        if (day.ok())
            return {};
    }
    return "\"" + value + "\" is not a day written YYYYMMDD";
}

OptionCheck oneOf(std::vector<std::string> words) {
    return [words = std::move(words)](const std::string& value) -> std::string {
        std::string list;
        for (const std::string& word : words) {
            if (word == value)
                return {};
            list += (list.empty() ? "" : ", ") + word;
        }
        return "\"" + value + "\" is not one of " + list;
    };
}

OptionCheck checkOf(const Option& option) {
    if (option.check || option.words.empty())
        return option.check;
    return oneOf(option.words);
}
