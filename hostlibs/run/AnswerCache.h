#pragma once
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "hostlibs/run/UrlAnswer.h"

namespace tarn {

// Good answers kept across runs in a file (--cache): the host's checker gives a URL whose answer is
// younger than the run's maximum age its kept answer instead of asking. Kept are 2xx answers and
// permanent redirects (301, 308) whose chain ended in a 2xx, with that end; failures never are, and a
// URL that fails drops what was kept for it. The checker's worker learns, any thread reads.
class AnswerCache {
public:
    using Clock = std::chrono::system_clock;

    explicit AnswerCache(std::chrono::seconds maxAge);

    // Reads the file; one that is not there is an empty cache. A damaged or unreadable one is an empty
    // cache too, with a line for the user in `warning`; it is replaced when the run saves.
    static std::shared_ptr<AnswerCache> load(const std::string& path, std::chrono::seconds maxAge,
                                             std::string& warning);

    // The kept answer for `url` (marked cached, no requests) when it is younger than the maximum age.
    std::optional<UrlAnswer> fresh(const std::string& url) const;
    // What the checker got for `url` in this run.
    void learn(const std::string& url, const UrlAnswer& answer);
    // Writes the cache whole in a new file that then takes the old one's place; why not, when it could not.
    // A permanent redirect learnt in this run is written when its chain, as far as the run and the cache
    // know it, ends in a good answer.
    std::optional<std::string> save(const std::string& path) const;

private:
    struct Entry {
        int status = 0;
        std::string location;  // a redirect's target
        std::string end;       // where its chain of permanent redirects ends; empty until known
        Clock::time_point checked;
    };

    bool young(const Entry& entry, Clock::time_point now) const;
    std::optional<std::string> chainEnd(const Entry& entry) const;

    const std::chrono::seconds maxAge_;
    mutable std::mutex mutex_;
    std::map<std::string, Entry> entries_;
};

}  // namespace tarn
