#include "hostlibs/run/CheckJournal.h"

#include <utility>

namespace tarn {

void CheckJournal::record(const std::string& url, UrlAnswer answer) {
    const std::lock_guard lock(mutex_);
    const auto [it, added] = answers_.try_emplace(url);
    UrlAnswer& kept = it->second;
    answer.requests += kept.requests;
    // A stopped call says nothing of the URL: what an earlier call learnt stands.
    if (!added && answer.failureKind == FailureKind::Stopped) {
        kept.requests = answer.requests;
        return;
    }
    kept = std::move(answer);
}

std::optional<UrlAnswer> CheckJournal::find(const std::string& url) const {
    const std::lock_guard lock(mutex_);
    const auto it = answers_.find(url);
    if (it == answers_.end())
        return std::nullopt;
    return it->second;
}

}  // namespace tarn
