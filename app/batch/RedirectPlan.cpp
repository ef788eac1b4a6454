#include "app/batch/RedirectPlan.h"

#include <optional>
#include <string>
#include <string_view>

#include "app/StopSignals.h"
#include "app/SuspectRedirect.h"
#include "contracts/host/CExtenUrlChecker.h"
#include "hostlibs/run/CheckJournal.h"
#include "platform/win/Utf8.h"

namespace {

constexpr int kMaxHops = 5;

std::string_view withoutFragment(std::string_view url) { return url.substr(0, url.find('#')); }

// Where a chain of permanent redirects ends: `first` is the target of the link's own redirect, and each
// further hop is asked with `checker`. None when the chain goes on past kMaxHops redirects (a loop, most
// likely) or comes back to the page `url` names (another fragment of it is the same page, asked again).
std::optional<std::string> permanentRedirectEnd(const std::string& url, const std::string& first,
                                                CExtenUrlChecker& checker, const tarn::CheckJournal& journal,
                                                const StopSignals& signals) {
    std::string end = first;
    for (int hops = 1;; ++hops) {
        if (end.empty() || withoutFragment(end) == withoutFragment(url) || signals.arrived())
            return std::nullopt;
        int status = 0;
        checker.getHeaderStatus(CString::FromUtf8(end), status, false);
        if (!tarn::isPermanentRedirect(status))
            return end;
        if (hops == kMaxHops)
            return std::nullopt;
        const std::optional<tarn::UrlAnswer> answer = journal.find(end);
        if (!answer || answer->location.empty())
            return end;
        end = answer->location;
    }
}

}  // namespace

DialogDriver::Planner redirectPlanner(const StopSignals& signals, const tarn::CheckJournal& journal,
                                      bool allowCrossHost) {
    return [&signals, &journal, allowCrossHost](const std::vector<LinkRecord>& rows) {
        FixPlan plan;
        CExtenUrlChecker checker;
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const LinkRecord& link = rows[row];
            if (!tarn::isPermanentRedirect(link.status()))
                continue;
            const std::optional<std::string> end =
                permanentRedirectEnd(link.url, link.answer.location, checker, journal, signals);
            if (!end)
                continue;
            if (const std::optional<SuspectKind> suspect = suspectRedirect(link.url, *end, allowCrossHost))
                plan.skipped.push_back({static_cast<int>(row), *end, suspectReason(*suspect)});
            else
                plan.fixes.push_back({static_cast<int>(row), win::DecodeUtf8(*end), "redirect"});
        }
        return plan;
    };
}

DialogDriver::Planner redirectEndFinder(const StopSignals& signals, const tarn::CheckJournal& journal) {
    return [&signals, &journal](const std::vector<LinkRecord>& rows) {
        CExtenUrlChecker checker;
        for (const LinkRecord& link : rows) {
            if (tarn::isPermanentRedirect(link.status()) && !link.answer.cached)
                permanentRedirectEnd(link.url, link.answer.location, checker, journal, signals);
        }
        return FixPlan{};
    };
}
