#include "app/batch/AnswerCache.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

namespace {

constexpr int kVersion = 1;

}  // namespace

AnswerCache AnswerCache::load(const std::string& path, std::string& warning) {
    AnswerCache cache;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::error_code error;
        if (std::filesystem::exists(path, error))
            warning = path + ": cannot read the cache; it is replaced at the end of the run";
        return cache;
    }
    try {
        const nlohmann::json json = nlohmann::json::parse(in);
        if (json.at("version").get<int>() != kVersion)
            throw std::runtime_error("another version");
        for (const auto& [url, entry] : json.at("answers").items()) {
            const int status = entry.at("status").get<int>();
            if (status < 200 || status > 299)
                throw std::runtime_error("not a good answer");
            cache.entries_[url] = {status, Clock::time_point(std::chrono::seconds(entry.at("checked").get<std::int64_t>()))};
        }
    } catch (const std::exception&) {
        cache.entries_.clear();
        warning = path + ": the cache is damaged and is not used; it is replaced at the end of the run";
    }
    return cache;
}

std::optional<AnswerCache::Entry> AnswerCache::fresh(const std::string& url, std::chrono::seconds maxAge,
                                                     Clock::time_point now) const {
    const auto found = entries_.find(url);
    if (found == entries_.end() || now - found->second.checked >= maxAge || found->second.checked > now)
        return std::nullopt;
    return found->second;
}

void AnswerCache::remember(const std::string& url, int status, Clock::time_point now) {
    if (status >= 200 && status <= 299)
        entries_[url] = {status, now};
}

std::optional<std::string> AnswerCache::save(const std::string& path) const {
    nlohmann::json answers = nlohmann::json::object();
    for (const auto& [url, entry] : entries_) {
        answers[url] = {{"status", entry.status},
                        {"checked", std::chrono::duration_cast<std::chrono::seconds>(entry.checked.time_since_epoch()).count()}};
    }
    const nlohmann::json json{{"version", kVersion}, {"answers", std::move(answers)}};
    const std::string temporary = path + ".tarnlink-" + std::to_string(getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << json.dump(1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            return "cannot write " + temporary;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::remove(temporary.c_str());
        return "cannot replace " + path + ": " + error.message();
    }
    return std::nullopt;
}

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
