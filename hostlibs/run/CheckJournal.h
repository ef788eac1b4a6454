#pragma once
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "hostlibs/run/UrlAnswer.h"

namespace tarn {

// What the host's checker learnt in one run of each URL it was asked for, beyond the status it hands the
// module: reports read it by the URL the module asked for (see hostlibs/url/AskedUrl.h). The latest call
// for a URL wins, unless it was stopped, and the requests of every call add up. The checker's worker
// writes, any thread reads.
class CheckJournal {
public:
    void record(const std::string& url, UrlAnswer answer);
    std::optional<UrlAnswer> find(const std::string& url) const;

private:
    mutable std::mutex mutex_;
    std::unordered_map<std::string, UrlAnswer> answers_;
};

}  // namespace tarn
