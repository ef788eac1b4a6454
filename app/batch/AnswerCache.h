#pragma once
#include <chrono>
#include <map>
#include <optional>
#include <string>

// Good answers kept across runs in a file (--cache): a URL whose answer is younger than the run's
// maximum age is not asked again. Only 2xx answers are kept; failures never are.
class AnswerCache {
public:
    using Clock = std::chrono::system_clock;

    struct Entry {
        int status = 0;
        Clock::time_point checked;
    };

    // Reads the file; one that is not there is an empty cache. A damaged or unreadable one is an empty
    // cache too, with a line for the user in `warning`; it is replaced when the run saves.
    static AnswerCache load(const std::string& path, std::string& warning);

    // The answer kept for `url` when it is younger than `maxAge`.
    std::optional<Entry> fresh(const std::string& url, std::chrono::seconds maxAge, Clock::time_point now) const;
    void remember(const std::string& url, int status, Clock::time_point now);
    // Writes the cache whole in a new file that then takes the old one's place; why not, when it could not.
    std::optional<std::string> save(const std::string& path) const;

private:
    std::map<std::string, Entry> entries_;
};

// Seconds in "30s", "10m", "12h", "7d"; none when `text` is not such a duration.
std::optional<std::chrono::seconds> parseDuration(const std::string& text);
// Why `text` is no duration, quoting it; empty when it is one.
std::string durationProblem(const std::string& text);
