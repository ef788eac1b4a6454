#include "hostlibs/url/HostPacing.h"

#include <algorithm>
#include <ctime>

#include <curl/curl.h>

namespace tarn {

bool HostPacing::mayStart(const std::string& host, Clock::time_point now) const {
    const auto it = hosts_.find(host);
    return it == hosts_.end() || (it->second.running < perHost_ && it->second.heldUntil <= now);
}

void HostPacing::started(const std::string& host) { ++hosts_[host].running; }

void HostPacing::ended(const std::string& host) {
    if (const auto it = hosts_.find(host); it != hosts_.end() && it->second.running > 0)
        --it->second.running;
}

HostPacing::Clock::time_point HostPacing::refused(const std::string& host,
                                                  std::optional<std::chrono::milliseconds> retryAfter,
                                                  Clock::time_point now) {
    Host& state = hosts_[host];
    const int shift = std::min(state.refusals, 4);
    ++state.refusals;
    const std::chrono::milliseconds wait =
        retryAfter ? std::min(*retryAfter, kLongestHold) : std::min(kFirstBackoff * (1 << shift), kLongestBackoff);
    state.heldUntil = std::max(state.heldUntil, now + wait);
    return state.heldUntil;
}

void HostPacing::answered(const std::string& host) {
    if (const auto it = hosts_.find(host); it != hosts_.end())
        it->second.refusals = 0;
}

std::optional<HostPacing::Clock::time_point> HostPacing::nextRelease(Clock::time_point now) const {
    std::optional<Clock::time_point> nearest;
    for (const auto& [name, state] : hosts_) {
        if (state.heldUntil > now && (!nearest || state.heldUntil < *nearest))
            nearest = state.heldUntil;
    }
    return nearest;
}

std::optional<std::chrono::milliseconds> parseRetryAfter(const std::string& value) {
    const std::size_t begin = value.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return std::nullopt;
    const std::size_t end = value.find_last_not_of(" \t\r\n");
    const std::string text = value.substr(begin, end - begin + 1);
    if (std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        if (text.size() > 6)
            return std::chrono::milliseconds(HostPacing::kLongestHold);
        return std::chrono::seconds(std::stol(text));
    }
    const time_t when = curl_getdate(text.c_str(), nullptr);
    if (when == -1)
        return std::nullopt;
    const time_t now = std::time(nullptr);
    return std::chrono::seconds(when > now ? when - now : 0);
}

}  // namespace tarn
