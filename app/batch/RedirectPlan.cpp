#include "app/batch/RedirectPlan.h"

#include "app/StopSignals.h"
#include "app/batch/CheckerNotes.h"
#include "contracts/host/CExtenUrlChecker.h"
#include "platform/win/Utf8.h"

namespace {

bool isPermanent(int status) { return status == 301 || status == 308; }

}  // namespace

std::optional<std::string> permanentRedirectEnd(const std::string& url, const std::string& first,
                                                CExtenUrlChecker& checker, const StopSignals& signals,
                                                int maxHops) {
    std::string end = first;
    for (int hops = 1;; ++hops) {
        if (end.empty() || end == url || signals.arrived())
            return std::nullopt;
        int status = 0;
        checker.getHeaderStatus(CString::FromUtf8(end), status, false);
        if (!isPermanent(status))
            return end;
        if (hops == maxHops)
            return std::nullopt;
        const std::optional<tarn::CheckNote> note = checkerNote(end);
        if (!note || note->location.empty())
            return end;
        end = note->location;
    }
}

DialogDriver::Planner redirectPlanner(const StopSignals& signals) {
    return [&signals](const std::vector<LinkRecord>& rows) {
        std::vector<RowFix> fixes;
        CExtenUrlChecker checker;
        for (std::size_t row = 0; row < rows.size(); ++row) {
            if (rows[row].code != "301" && rows[row].code != "308")
                continue;
            const std::string& url = rows[row].url;
            const std::optional<tarn::CheckNote> note = checkerNote(url);
            if (!note || !isPermanent(note->status))
                continue;
            if (std::optional<std::string> end = permanentRedirectEnd(url, note->location, checker, signals))
                fixes.push_back({static_cast<int>(row), win::DecodeUtf8(*end)});
        }
        return fixes;
    };
}
