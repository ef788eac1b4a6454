#include <iomanip>
#include <ostream>
#include <sstream>

#include "app/batch/Reports.h"
#include "app/ForPeople.h"

namespace {

// Escaped for an XML attribute or text; characters XML 1.0 cannot hold are replaced as in the text
// report.
std::string xml(const std::string& text) {
    std::string out;
    for (const char c : forPeople(text)) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string seconds(double value) {
    std::ostringstream out;
    out << std::fixed << std::setprecision(3) << value;
    return out.str();
}

std::string caseName(const LinkRecord& link) {
    std::string name;
    if (link.line)
        name = std::to_string(*link.line) + ":" + std::to_string(*link.column) + " ";
    return name + link.tag + " " + link.attribute + " " + link.url;
}

void writeCase(std::ostream& out, const std::string& suite, const LinkRecord& link) {
    out << "    <testcase classname=\"" << xml(suite) << "\" name=\"" << xml(caseName(link)) << "\"";
    const char* verdict = link.verdict();
    if (link.passes() && verdict == nullptr && link.redirect().empty()) {
        out << "/>\n";
        return;
    }
    out << ">\n";
    const std::string shown = verdict != nullptr ? verdict : link.result;
    std::string detail = shown + " " + link.code + " " + link.url;
    if (!link.redirect().empty())
        detail += " -> " + std::string(link.redirect());
    if (!link.failure().empty())
        detail += " [" + std::string(link.failure()) + "]";
    if (!link.blocked.empty())
        detail += " [" + link.blocked + "]";
    if (link.isError())
        out << "      <failure type=\"" << xml(shown) << "\" message=\"" << xml(detail) << "\"/>\n";
    else if (!link.passes())
        out << "      <skipped message=\"" << xml(detail) << "\"/>\n";
    else if (verdict != nullptr)
        out << "      <system-out>" << xml(detail) << "</system-out>\n";
    if (!link.redirect().empty())
        out << "      <system-out>redirect: " << xml(std::string(link.redirect())) << "</system-out>\n";
    out << "    </testcase>\n";
}

// A run stopped by a signal says so, for the tools that read properties and for people reading the
// suite's output; its exit status says so too, but a report is often read on its own.
constexpr const char* kInterruptedProperty =
    "    <properties>\n      <property name=\"interrupted\" value=\"true\"/>\n    </properties>\n";
constexpr const char* kInterruptedNote =
    "    <system-out>The run was interrupted: links not checked are skipped, later pages are missing."
    "</system-out>\n";

}  // namespace

void writeJunitReport(std::ostream& out, const RunRecord& run) {
    const Counts all = run.counts();
    int unreadable = 0;
    for (const PageRecord& page : run.pages)
        unreadable += page.failure ? 1 : 0;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<testsuites name=\"tarnlink\" tests=\"" << all.links + unreadable << "\" failures=\"" << all.errors
        << "\" errors=\"" << unreadable << "\" time=\"" << seconds(run.seconds) << "\">\n";
    for (std::size_t i = 0; i < run.pages.size(); ++i) {
        const PageRecord& page = run.pages[i];
        const Counts counts = page.counts();
        const int errors = page.failure ? 1 : 0;
        // The last page is where a signal stopped the run.
        const bool stoppedHere = run.interrupted && i + 1 == run.pages.size();
        out << "  <testsuite name=\"" << xml(page.path) << "\" tests=\"" << counts.links + errors
            << "\" failures=\"" << counts.errors << "\" errors=\"" << errors << "\" skipped=\""
            << counts.undetermined + counts.excluded + counts.blocked << "\" time=\"" << seconds(page.seconds)
            << "\">\n";
        if (stoppedHere)
            out << kInterruptedProperty;
        if (page.failure) {
            out << "    <testcase classname=\"" << xml(page.path) << "\" name=\"read the page\">\n"
                << "      <error message=\"" << xml(*page.failure) << "\"/>\n"
                << "    </testcase>\n";
        }
        for (const LinkRecord& link : page.links)
            writeCase(out, page.path, link);
        if (stoppedHere)
            out << kInterruptedNote;
        out << "  </testsuite>\n";
    }
    if (run.interrupted && run.pages.empty()) {
        out << "  <testsuite name=\"tarnlink\" tests=\"0\" failures=\"0\" errors=\"0\" skipped=\"0\" time=\""
            << seconds(run.seconds) << "\">\n"
            << kInterruptedProperty << kInterruptedNote << "  </testsuite>\n";
    }
    out << "</testsuites>\n";
}
