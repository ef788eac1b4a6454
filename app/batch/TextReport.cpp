#include <iomanip>
#include <ostream>

#include "app/batch/Reports.h"
#include "app/ForPeople.h"

namespace {

std::string orDash(const std::string& text) { return text.empty() ? "-" : forPeople(text); }

void writeCounts(std::ostream& out, const Counts& counts, double seconds) {
    out << counts.links << " links, " << counts.ok << " OK, " << counts.errors << " link errors, "
        << counts.undetermined << " undetermined, ";
    // What only some runs have is said when there is some.
    for (const auto& [count, word] : {std::pair{counts.accepted, "accepted"}, std::pair{counts.blocked, "blocked"},
                                      std::pair{counts.excluded, "excluded"}}) {
        if (count > 0)
            out << count << ' ' << word << ", ";
    }
    out << std::fixed << std::setprecision(2) << seconds << " s\n";
}

void writeLink(std::ostream& out, const std::string& path, const LinkRecord& link) {
    out << forPeople(path) << ':';
    if (link.line)
        out << *link.line << ':' << *link.column << ':';
    const char* verdict = link.verdict();
    out << ' ' << (verdict != nullptr ? verdict : orDash(link.result)) << ' ' << orDash(link.code) << ' '
        << forPeople(link.url) << " (" << orDash(link.tag) << ' ' << orDash(link.attribute) << " \"" << forPeople(link.text) << "\")";
    if (!link.redirect().empty())
        out << " -> " << forPeople(link.redirect());
    if (!link.failure().empty())
        out << " [" << forPeople(link.failure()) << ']';
    if (!link.blocked.empty())
        out << " [" << link.blocked << ']';
    out << '\n';
}

}  // namespace

void writeTextReport(std::ostream& out, const RunRecord& run, bool all) {
    for (const PageRecord& page : run.pages) {
        for (const LinkRecord& link : page.links) {
            if (all || !link.quiet())
                writeLink(out, page.path, link);
        }
        for (const FixRecord& fix : page.replaced)
            out << forPeople(page.path) << (run.dryRun ? ": would replace " : ": replaced ") << forPeople(fix.from)
                << " -> " << forPeople(fix.to) << '\n';
        for (const FixRecord& fix : page.skipped)
            out << forPeople(page.path) << ": left alone " << forPeople(fix.from) << " -> " << forPeople(fix.to)
                << " (" << fix.why << ")\n";
        out << forPeople(page.path) << ": ";
        if (page.failure)
            out << "not checked: " << forPeople(*page.failure) << '\n';
        else
            writeCounts(out, page.counts(), page.seconds);
    }
    out << run.pages.size() << (run.pages.size() == 1 ? " page" : " pages")
        << (run.interrupted ? " (interrupted): " : ": ");
    writeCounts(out, run.counts(), run.seconds);
}
