#include <ostream>

#include "app/ForPeople.h"
#include "app/batch/Reports.h"
#include "app/batch/WorkingPath.h"

// For a CI job's summary page: the pages in a table, then the link errors and the fixes.
namespace {

// A table cell's text: markdown's own characters escaped, nothing from a page can add markup.
std::string cell(const std::string& text) {
    std::string out;
    for (const char c : forPeople(text)) {
        if (std::string_view("\\`*_[]<>|#!~&").find(c) != std::string_view::npos)
            out += '\\';
        out += c;
    }
    return out;
}

std::string where(const PageRecord& page, std::optional<int> line, std::optional<int> column) {
    std::string out = workingPath(page.path);
    if (line)
        out += ':' + std::to_string(*line) + ':' + std::to_string(column.value_or(1));
    return cell(out);
}

void countsRow(std::ostream& out, const std::string& name, const Counts& counts, std::size_t fixed,
               std::size_t skipped) {
    out << "| " << name << " | " << counts.links << " | " << counts.ok << " | " << counts.errors << " | "
        << counts.undetermined << " | " << fixed << " | " << skipped << " |\n";
}

void fixTable(std::ostream& out, const RunRecord& run, bool replaced) {
    bool any = false;
    for (const PageRecord& page : run.pages) {
        for (const FixRecord& fix : replaced ? page.replaced : page.skipped) {
            if (!any) {
                out << (replaced ? (run.dryRun ? "\n### Fixes (dry run: not written)\n\n" : "\n### Fixes\n\n")
                                 : "\n### Suspect redirects left alone\n\n")
                    << "| Where | From | To | " << (replaced ? "Why" : "Reason") << " |\n|---|---|---|---|\n";
                any = true;
            }
            out << "| " << where(page, fix.line, fix.column) << " | " << cell(fix.from) << " | " << cell(fix.to)
                << " | " << cell(fix.why) << " |\n";
        }
    }
}

}  // namespace

void writeMarkdownReport(std::ostream& out, const RunRecord& run) {
    out << "## Link check" << (run.interrupted ? " (interrupted)" : "") << "\n\n"
        << "| Page | Links | OK | Link errors | Undetermined | Fixes | Left alone |\n"
        << "|---|---:|---:|---:|---:|---:|---:|\n";
    std::size_t fixed = 0;
    std::size_t skipped = 0;
    for (const PageRecord& page : run.pages) {
        if (page.failure) {
            out << "| " << cell(workingPath(page.path)) << " | not checked: " << cell(*page.failure)
                << " | | | | | |\n";
            continue;
        }
        countsRow(out, cell(workingPath(page.path)), page.counts(), page.replaced.size(), page.skipped.size());
        fixed += page.replaced.size();
        skipped += page.skipped.size();
    }
    countsRow(out, "**All**", run.counts(), fixed, skipped);

    bool any = false;
    for (const PageRecord& page : run.pages) {
        for (const LinkRecord& link : page.links) {
            if (!link.isError())
                continue;
            if (!any)
                out << "\n### Link errors\n\n| Where | Code | URL |\n|---|---|---|\n";
            any = true;
            out << "| " << where(page, link.line, link.column) << " | " << cell(link.code) << " | "
                << cell(link.url) << " |\n";
        }
    }
    fixTable(out, run, true);
    fixTable(out, run, false);
}
