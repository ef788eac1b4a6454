#include "hostlibs/run/AnswerCache.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

namespace tarn {

namespace {

constexpr int kVersion = 1;
// As many permanent redirects as a link fix follows; a longer chain is most likely a loop.
constexpr int kMaxHops = 5;

bool isGood(int status) { return status >= 200 && status <= 299; }
}  // namespace

AnswerCache::AnswerCache(std::chrono::seconds maxAge) : maxAge_(maxAge) {}

std::shared_ptr<AnswerCache> AnswerCache::load(const std::string& path, std::chrono::seconds maxAge,
                                               std::string& warning) {
    auto cache = std::make_shared<AnswerCache>(maxAge);
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
        for (const auto& [url, kept] : json.at("answers").items()) {
            Entry entry;
            entry.status = kept.at("status").get<int>();
            entry.checked = Clock::time_point(std::chrono::seconds(kept.at("checked").get<std::int64_t>()));
            if (isPermanentRedirect(entry.status)) {
                entry.location = kept.at("location").get<std::string>();
                entry.end = kept.at("end").get<std::string>();
                if (entry.location.empty() || entry.end.empty())
                    throw std::runtime_error("a redirect without its end");
            } else if (!isGood(entry.status)) {
                throw std::runtime_error("not a good answer");
            }
            cache->entries_[url] = std::move(entry);
        }
    } catch (const std::exception&) {
        cache->entries_.clear();
        warning = path + ": the cache is damaged and is not used; it is replaced at the end of the run";
    }
    return cache;
}

bool AnswerCache::young(const Entry& entry, Clock::time_point now) const {
    return entry.checked <= now && now - entry.checked < maxAge_;
}

std::optional<UrlAnswer> AnswerCache::fresh(const std::string& url) const {
    const std::lock_guard lock(mutex_);
    const auto found = entries_.find(url);
    if (found == entries_.end() || !young(found->second, Clock::now()))
        return std::nullopt;
    const Entry& entry = found->second;
    if (!isGood(entry.status) && entry.end.empty())
        return std::nullopt;
    UrlAnswer answer;
    answer.status = entry.status;
    answer.location = entry.location;
    answer.cached = true;
    return answer;
}

void AnswerCache::learn(const std::string& url, const UrlAnswer& answer) {
    if (answer.cached || answer.failureKind == FailureKind::Stopped)
        return;
    const std::lock_guard lock(mutex_);
    if (isGood(answer.status) || (isPermanentRedirect(answer.status) && !answer.location.empty()))
        entries_[url] = {answer.status, answer.location, {}, Clock::now()};
    else
        entries_.erase(url);
}

std::optional<std::string> AnswerCache::chainEnd(const Entry& entry) const {
    if (!entry.end.empty())
        return entry.end;
    std::string next = entry.location;
    for (int hop = 0; hop < kMaxHops; ++hop) {
        const auto found = entries_.find(next);
        if (found == entries_.end())
            return std::nullopt;
        if (isGood(found->second.status))
            return next;
        if (!found->second.end.empty())
            return found->second.end;
        next = found->second.location;
    }
    return std::nullopt;
}

std::optional<std::string> AnswerCache::save(const std::string& path) const {
    nlohmann::json answers = nlohmann::json::object();
    {
        const std::lock_guard lock(mutex_);
        for (const auto& [url, entry] : entries_) {
            nlohmann::json kept{{"status", entry.status},
                                {"checked", std::chrono::duration_cast<std::chrono::seconds>(
                                                entry.checked.time_since_epoch())
                                                .count()}};
            if (isPermanentRedirect(entry.status)) {
                const std::optional<std::string> end = chainEnd(entry);
                if (!end)
                    continue;
                kept["location"] = entry.location;
                kept["end"] = *end;
            }
            answers[url] = std::move(kept);
        }
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

}  // namespace tarn
