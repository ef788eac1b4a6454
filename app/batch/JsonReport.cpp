#include <ostream>

#include <nlohmann/json.hpp>

#include "app/batch/Reports.h"

namespace {

nlohmann::ordered_json countsJson(const Counts& counts) {
    return {{"links", counts.links},       {"ok", counts.ok},           {"errors", counts.errors},
            {"undetermined", counts.undetermined}, {"excluded", counts.excluded}, {"accepted", counts.accepted},
            {"blocked", counts.blocked}};
}

nlohmann::ordered_json linkJson(const LinkRecord& link) {
    nlohmann::ordered_json json{{"url", link.url},
                        {"result", link.result},
                        {"key", link.key()},
                        {"status", link.status()},
                        {"code", link.code},
                        {"tag", link.tag},
                        {"attribute", link.attribute},
                        {"text", link.text},
                        {"line", link.line ? nlohmann::ordered_json(*link.line) : nlohmann::ordered_json(nullptr)},
                        {"column", link.column ? nlohmann::ordered_json(*link.column) : nlohmann::ordered_json(nullptr)}};
    if (!link.redirect().empty())
        json["redirect"] = link.redirect();
    if (!link.failure().empty())
        json["failure"] = link.failure();
    if (!link.blocked.empty())
        json["blocked"] = link.blocked;
    if (link.answer.cached)
        json["cached"] = true;
    return json;
}

nlohmann::ordered_json pageJson(const PageRecord& page) {
    nlohmann::ordered_json json{{"path", page.path}, {"seconds", page.seconds}};
    if (page.failure)
        json["error"] = *page.failure;
    nlohmann::ordered_json links = nlohmann::ordered_json::array();
    for (const LinkRecord& link : page.links)
        links.push_back(linkJson(link));
    json["links"] = std::move(links);
    json["counts"] = countsJson(page.counts());
    if (!page.replaced.empty() || page.writtenTo) {
        nlohmann::ordered_json replaced = nlohmann::ordered_json::array();
        for (const FixRecord& fix : page.replaced)
            replaced.push_back({{"from", fix.from}, {"to", fix.to}, {"why", fix.why}});
        json["replaced"] = std::move(replaced);
        json["writtenTo"] = page.writtenTo ? nlohmann::ordered_json(*page.writtenTo) : nlohmann::ordered_json(nullptr);
    }
    if (!page.skipped.empty()) {
        nlohmann::ordered_json skipped = nlohmann::ordered_json::array();
        for (const FixRecord& fix : page.skipped)
            skipped.push_back({{"from", fix.from}, {"to", fix.to}, {"reason", fix.why}});
        json["skipped"] = std::move(skipped);
    }
    return json;
}

}  // namespace

void writeJsonReport(std::ostream& out, const RunRecord& run) {
    nlohmann::ordered_json pages = nlohmann::ordered_json::array();
    for (const PageRecord& page : run.pages)
        pages.push_back(pageJson(page));
    const nlohmann::ordered_json report{{"pages", std::move(pages)},
                                {"counts", countsJson(run.counts())},
                                {"seconds", run.seconds},
                                {"interrupted", run.interrupted},
                                {"dryRun", run.dryRun}};
    // Text from a page may hold bytes that are not UTF-8; they must not end the report.
    out << report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}
