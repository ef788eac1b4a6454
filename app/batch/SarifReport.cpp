#include <algorithm>
#include <ostream>

#include <nlohmann/json.hpp>

#include "app/batch/Reports.h"
#include "app/batch/WorkingPath.h"
#include "platform/win/Utf8.h"

// SARIF 2.1.0 for code scanning: a result per link error, per fix and per suspect redirect left alone. A
// fix carries the replacements a real run writes, as byte spans of the page as read, so a tool that
// applies them gets the page byte for byte.
namespace {

using Json = nlohmann::ordered_json;

// A relative URI reference for the path: bytes other than unreserved ones and '/' percent-encoded.
std::string uriOf(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : path) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
            std::string_view("-._~/").find(c) != std::string_view::npos)
            out += c;
        else
            out += {'%', kHex[u >> 4], kHex[u & 15]};
    }
    return out;
}

std::string base64(std::string_view bytes) {
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        unsigned value = 0;
        for (std::size_t k = 0; k < 3; ++k)
            value = value << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= n ? kDigits[(value >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

// The inserted bytes as text when text gives them back exactly (UTF-8 in a UTF-8 page, or ASCII);
// else as the bytes themselves.
Json insertedContent(const std::string& bytes, bool utf8Page) {
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return c != 0 && static_cast<unsigned char>(c) < 0x80; });
    if (ascii || (utf8Page && win::EncodeUtf8(win::DecodeUtf8(bytes)) == bytes))
        return {{"text", bytes}};
    return {{"binary", base64(bytes)}};
}

Json location(const std::string& uri, std::optional<int> line, std::optional<int> column) {
    Json physical{{"artifactLocation", {{"uri", uri}}}};
    if (line)
        physical["region"] = {{"startLine", *line}, {"startColumn", column.value_or(1)}};
    return Json::array({{{"physicalLocation", std::move(physical)}}});
}

Json result(const char* rule, const char* level, const std::string& message, Json locations) {
    return {{"ruleId", rule}, {"level", level}, {"message", {{"text", message}}}, {"locations", std::move(locations)}};
}

Json replacement(const ByteEdit& edit, bool utf8Page) {
    return {{"deletedRegion", {{"byteOffset", edit.offset}, {"byteLength", edit.length}}},
            {"insertedContent", insertedContent(edit.bytes, utf8Page)}};
}

Json fixOf(const std::string& uri, const std::string& description, Json replacements) {
    return Json::array({{{"description", {{"text", description}}},
                         {"artifactChanges",
                          Json::array({{{"artifactLocation", {{"uri", uri}}}, {"replacements", std::move(replacements)}}})}}});
}

void addFixes(Json& results, const PageRecord& page, const std::string& uri, bool dryRun) {
    std::vector<const FixRecord*> fixes;
    for (const FixRecord& fix : page.replaced)
        fixes.push_back(&fix);
    std::stable_sort(fixes.begin(), fixes.end(), [](const FixRecord* a, const FixRecord* b) {
        return std::pair(a->line.value_or(0), a->column.value_or(0)) < std::pair(b->line.value_or(0), b->column.value_or(0));
    });
    const std::vector<ByteEdit> none;
    const std::vector<ByteEdit>& edits = page.change ? page.change->edits : none;
    const bool utf8Page = page.change && win::EncodeUtf8(win::DecodeUtf8(page.change->original)) == page.change->original;
    // Each fix sets one attribute, so the edits in page order pair with the fixes in page order; should
    // they not, the first fix carries every edit, so that applying the results still gives the page.
    const bool paired = edits.size() == fixes.size();
    for (std::size_t i = 0; i < fixes.size(); ++i) {
        const FixRecord& fix = *fixes[i];
        const std::string change = fix.from + " -> " + fix.to;
        Json entry = result("fixed-link", "note", (dryRun ? "would replace " : "replaced ") + change + " (" + fix.why + ')',
                            location(uri, fix.line, fix.column));
        Json replacements = Json::array();
        if (paired)
            replacements.push_back(replacement(edits[i], utf8Page));
        else if (i == 0)
            for (const ByteEdit& edit : edits)
                replacements.push_back(replacement(edit, utf8Page));
        if (!replacements.empty())
            entry["fixes"] = fixOf(uri, "replace " + change, std::move(replacements));
        results.push_back(std::move(entry));
    }
}

Json rules() {
    auto rule = [](const char* id, const char* text) { return Json{{"id", id}, {"shortDescription", {{"text", text}}}}; };
    return Json::array({rule("link-error", "The link does not lead to a page (リンクエラー)."),
                        rule("page-not-checked", "The page could not be read or checked."),
                        rule("fixed-link",
                             "The link was replaced by where it leads, or a dead link by an archived copy."),
                        rule("suspect-redirect",
                             "The link's permanent redirect ends at a site root, a login page or another host, "
                             "and was left alone.")});
}

}  // namespace

void writeSarifReport(std::ostream& out, const RunRecord& run) {
    Json results = Json::array();
    for (const PageRecord& page : run.pages) {
        const std::string uri = uriOf(workingPath(page.path));
        if (page.failure)
            results.push_back(result("page-not-checked", "error", *page.failure, location(uri, std::nullopt, std::nullopt)));
        for (const LinkRecord& link : page.links) {
            if (link.isError())
                results.push_back(result("link-error", "error", link.summary(), location(uri, link.line, link.column)));
        }
        addFixes(results, page, uri, run.dryRun);
        for (const FixRecord& fix : page.skipped)
            results.push_back(result("suspect-redirect", "warning",
                                     "left alone: " + fix.from + " -> " + fix.to + " (" + fix.why + ')',
                                     location(uri, fix.line, fix.column)));
    }
    const Json report{
        {"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
        {"version", "2.1.0"},
        {"runs", Json::array({{{"tool", {{"driver", {{"name", "tarnlink"}, {"version", TARN_VERSION}, {"rules", rules()}}}}},
                               {"columnKind", "unicodeCodePoints"},
                               {"properties", {{"dryRun", run.dryRun}, {"interrupted", run.interrupted}}},
                               {"results", std::move(results)}}})}};
    out << report.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}
