#include "hostlibs/url/CheckJournal.h"

namespace tarn {

CheckJournal& CheckJournal::instance() {
    static CheckJournal journal;
    return journal;
}

void CheckJournal::record(const std::string& url, int status, std::string location, std::string failure,
                          int requests) {
    const std::lock_guard lock(mutex_);
    CheckNote& note = notes_[url];
    note.status = status;
    note.location = std::move(location);
    note.failure = std::move(failure);
    note.requests += requests;
    totalRequests_ += requests;
}

std::optional<CheckNote> CheckJournal::find(const std::string& url) const {
    const std::lock_guard lock(mutex_);
    const auto it = notes_.find(url);
    if (it == notes_.end())
        return std::nullopt;
    return it->second;
}

long long CheckJournal::totalRequests() const {
    const std::lock_guard lock(mutex_);
    return totalRequests_;
}

void CheckJournal::clear() {
    const std::lock_guard lock(mutex_);
    notes_.clear();
    totalRequests_ = 0;
}

}  // namespace tarn
