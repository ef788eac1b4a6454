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
// GitHub workflow commands: an ::error annotation per link error, a ::warning per fix made and per
// fix left alone, paths relative to the working folder.
void writeGithubReport(std::ostream& out, const RunRecord& run);
// Markdown for a job's summary page: a table of the pages, then the link errors and the fixes.
void writeMarkdownReport(std::ostream& out, const RunRecord& run);
// SARIF 2.1.0: a result per link error and per fix; a fix's replacements are the exact byte spans a real
// run writes.
void writeSarifReport(std::ostream& out, const RunRecord& run);
// A unified diff of every page the fixes changed (or would have), for `git apply` in the working folder.
void writePatch(std::ostream& out, const RunRecord& run);
