#include <ostream>
#include <string>
#include <string_view>

#include "app/batch/Reports.h"
#include "app/batch/WorkingPath.h"

// Workflow commands, one a line: GitHub shows each as an annotation on the file, line and column.
namespace {

// The escapes of a command's message, and of its properties, where ':' and ',' separate too.
std::string escaped(std::string_view text, bool property) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '%': out += "%25"; break;
            case '\r': out += "%0D"; break;
            case '\n': out += "%0A"; break;
            case ':': out += property ? "%3A" : ":"; break;
            case ',': out += property ? "%2C" : ","; break;
            default: out += c;
        }
    }
    return out;
}

void annotate(std::ostream& out, const char* level, const std::string& file, std::optional<int> line,
              std::optional<int> column, const char* title, const std::string& message) {
    out << "::" << level << " file=" << escaped(file, true);
    if (line)
        out << ",line=" << *line << ",col=" << column.value_or(1);
    out << ",title=" << escaped(title, true) << "::" << escaped(message, false) << '\n';
}

}  // namespace

void writeGithubReport(std::ostream& out, const RunRecord& run) {
    for (const PageRecord& page : run.pages) {
        const std::string file = workingPath(page.path);
        if (page.failure)
            annotate(out, "error", file, std::nullopt, std::nullopt, "page not checked", *page.failure);
        for (const LinkRecord& link : page.links) {
            // A bot wall says which one, whether the run counts it as an error (--blocked error) or not.
            const std::string message =
                link.blocked.empty() ? link.summary() : link.summary() + " [" + link.blocked + ']';
            if (link.isError())
                annotate(out, "error", file, link.line, link.column, "link error", message);
            else if (link.key() == std::string_view("blocked") && link.blockedAs == BlockedAs::Warn)
                annotate(out, "warning", file, link.line, link.column, "blocked link", message);
        }
        for (const FixRecord& fix : page.replaced)
            annotate(out, "warning", file, fix.line, fix.column, run.dryRun ? "fix (dry run)" : "fixed link",
                     fix.from + " -> " + fix.to + " (" + fix.why + ')');
        for (const FixRecord& fix : page.skipped)
            annotate(out, "warning", file, fix.line, fix.column, "suspect redirect left alone",
                     fix.from + " -> " + fix.to + " (" + fix.why + ')');
    }
    const Counts counts = run.counts();
    out << counts.links << " links, " << counts.ok << " OK, " << counts.errors << " link errors, "
        << counts.undetermined << " undetermined\n";
}
