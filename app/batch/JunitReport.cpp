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
    const std::string key = link.key();
    if (key == "ok" && link.redirect().empty()) {
        out << "/>\n";
        return;
    }
    out << ">\n";
    std::string detail = link.result + " " + link.code + " " + link.url;
    if (!link.redirect().empty())
        detail += " -> " + std::string(link.redirect());
    if (!link.failure().empty())
        detail += " [" + std::string(link.failure()) + "]";
    if (key == "error")
        out << "      <failure type=\"" << xml(link.result) << "\" message=\"" << xml(detail) << "\"/>\n";
    else if (key != "ok")
        out << "      <skipped message=\"" << xml(detail) << "\"/>\n";
    if (!link.redirect().empty())
        out << "      <system-out>redirect: " << xml(std::string(link.redirect())) << "</system-out>\n";
    out << "    </testcase>\n";
}

}  // namespace

void writeJunitReport(std::ostream& out, const RunRecord& run) {
    const Counts all = run.counts();
    int unreadable = 0;
    for (const PageRecord& page : run.pages)
        unreadable += page.failure ? 1 : 0;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<testsuites name=\"tarnlink\" tests=\"" << all.links + unreadable << "\" failures=\"" << all.errors
        << "\" errors=\"" << unreadable << "\" time=\"" << seconds(run.seconds) << "\">\n";
    for (const PageRecord& page : run.pages) {
        const Counts counts = page.counts();
        const int errors = page.failure ? 1 : 0;
        out << "  <testsuite name=\"" << xml(page.path) << "\" tests=\"" << counts.links + errors
            << "\" failures=\"" << counts.errors << "\" errors=\"" << errors << "\" skipped=\""
            << counts.undetermined << "\" time=\"" << seconds(page.seconds) << "\">\n";
        if (page.failure) {
            out << "    <testcase classname=\"" << xml(page.path) << "\" name=\"read the page\">\n"
                << "      <error message=\"" << xml(*page.failure) << "\"/>\n"
                << "    </testcase>\n";
        }
        for (const LinkRecord& link : page.links)
            writeCase(out, page.path, link);
        out << "  </testsuite>\n";
    }
    out << "</testsuites>\n";
}
