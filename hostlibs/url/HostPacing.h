#pragma once
#include <chrono>
#include <optional>
#include <string>
#include <unordered_map>

namespace tarn {

// How many requests run to each host, and how long a host that refused (429, 503) is left alone: its
// Retry-After when it gave one (at most kLongestHold), else a backoff that doubles with each refusal in a
// row up to kLongestBackoff. Not locked: the owner locks.
class HostPacing {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr std::chrono::milliseconds kLongestHold{10'000};
    static constexpr std::chrono::milliseconds kFirstBackoff{500};
    static constexpr std::chrono::milliseconds kLongestBackoff{8'000};

    explicit HostPacing(int perHost) : perHost_(perHost) {}

    bool mayStart(const std::string& host, Clock::time_point now) const;
    void started(const std::string& host);
    void ended(const std::string& host);
    // A refusal: the time until which the host is left alone.
    Clock::time_point refused(const std::string& host, std::optional<std::chrono::milliseconds> retryAfter,
                              Clock::time_point now);
    void answered(const std::string& host);
    // The end of the nearest hold after `now`, if any host is held.
    std::optional<Clock::time_point> nextRelease(Clock::time_point now) const;
    void clear() { hosts_.clear(); }

private:
    struct Host {
        int running = 0;
        int refusals = 0;  // in a row
        Clock::time_point heldUntil{};
    };

    int perHost_;
    std::unordered_map<std::string, Host> hosts_;
};

// A Retry-After header's value (seconds, or an HTTP date) as the time to wait from now; nothing when
// it says neither.
std::optional<std::chrono::milliseconds> parseRetryAfter(const std::string& value);

}  // namespace tarn
