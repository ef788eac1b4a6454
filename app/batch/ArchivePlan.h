#pragma once
#include <memory>
#include <optional>
#include <string>

#include "app/batch/DialogDriver.h"

namespace tarn {
class RunContext;
}

// Where the archive's availability answers are asked, and for which day.
struct ArchiveLookup {
    std::string endpoint;  // http or https URL
    std::string date;      // YYYYMMDD; empty: none given (the archive then offers its latest)
};

// The availability question for `url`: ENDPOINT?url=URL&timestamp=DATE, the URL encoded as a query
// value; no timestamp when `date` is empty.
std::string archiveQuery(const std::string& endpoint, const std::string& url, const std::string& date);

// The day the file at `path` was last modified, YYYYMMDD in UTC; empty when it cannot be told.
std::string modificationDay(const std::string& path);

// The fixes --fix archive tries: every row whose link is dead (404 or 410, or a host name that does not
// resolve) gets the archived copy the availability answer offers for `date` (see ArchiveAnswer.h). Each
// dead URL is asked once, through the run's request engine; a question that gets no usable answer (a
// failure, another status, an answer that is not the expected JSON) gives no fix and no word.
DialogDriver::Planner archivePlanner(const StopSignals& signals, std::shared_ptr<tarn::RunContext> run,
                                     ArchiveLookup lookup);
