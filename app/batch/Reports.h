#pragma once
#include <iosfwd>

#include "app/batch/LinkRecord.h"

// PATH:LINE:COLUMN: RESULT CODE URL (TAG ATTRIBUTE "text") for each link that is not OK (`all`: every
// link), then a summary line per page and one for the run.
void writeTextReport(std::ostream& out, const RunRecord& run, bool all);
// One JSON document with every page and every link.
void writeJsonReport(std::ostream& out, const RunRecord& run);
// JUnit XML: a test suite per page, a test case per link, a failure per link error.
void writeJunitReport(std::ostream& out, const RunRecord& run);
