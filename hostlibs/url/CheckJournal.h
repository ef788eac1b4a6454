#pragma once
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace tarn {

// What the host's checker learnt of a URL beyond the status it hands the module: where a redirect
// pointed, and why no status came. The module's messages carry a status alone; reports read this
// after a run. Kept per URL as the checker was asked for it (the latest call wins); the checker's
// worker writes, any thread reads.
struct CheckNote {
    int status = 0;
    std::string location;  // a redirect's Location, resolved against the URL; empty when none
    std::string failure;   // why no status came, for a person; empty when one did
    int requests = 0;      // HTTP requests made for the URL, every call counted
};

class CheckJournal {
public:
    static CheckJournal& instance();

    // Notes a call's outcome; `requests` adds to the URL's count.
    void record(const std::string& url, int status, std::string location, std::string failure, int requests);
    std::optional<CheckNote> find(const std::string& url) const;
    // Requests made for every URL since the start or the last clear.
    long long totalRequests() const;
    void clear();

private:
    CheckJournal() = default;

    mutable std::mutex mutex_;
    std::unordered_map<std::string, CheckNote> notes_;
    long long totalRequests_ = 0;
};

}  // namespace tarn
