#include "app/batch/ArchivePlan.h"

#include <sys/stat.h>

#include <chrono>
#include <ctime>
#include <map>

#include "app/StopSignals.h"
#include "app/batch/ArchiveAnswer.h"
#include "hostlibs/run/RunContext.h"
#include "hostlibs/url/AskedUrl.h"
#include "hostlibs/url/EscapeRequestUrl.h"
#include "hostlibs/url/RequestEngine.h"
#include "platform/win/Utf8.h"

namespace {

// An availability answer is a few hundred bytes; anything much longer is not one.
constexpr std::size_t kAnswerLimit = 64 * 1024;
// A question's time limit when the run sets none.
constexpr std::chrono::seconds kDefaultLimit{30};

bool isDead(const LinkRecord& link) {
    return link.status() == 404 || link.status() == 410 ||
           link.answer.failureKind == tarn::FailureKind::HostNotResolved;
}

std::string queryValue(const std::string& text) {
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~')
            encoded += c;
        else
            tarn::appendEscapedByte(encoded, byte);
    }
    return encoded;
}

// The snapshot the answer to `question` offers; none when it got no usable answer.
std::optional<std::string> askArchive(tarn::RequestEngine& engine, const std::string& question,
                                      std::chrono::milliseconds limit, const StopSignals& signals) {
    std::optional<tarn::LinkRequest> request = tarn::requestFor(CString::FromUtf8(question));
    if (!request)
        return std::nullopt;
    // Kept apart from the answers of links, which are kept under the URL as asked.
    request->key = "archive " + request->key;
    request->bodyLimit = kAnswerLimit;
    const tarn::UrlAnswer answer =
        engine.ask(*request, limit, [&signals] { return signals.arrived(); }, [] {});
    if (answer.status != 200)
        return std::nullopt;
    return availableSnapshot(answer.body);
}

}  // namespace

std::string archiveQuery(const std::string& endpoint, const std::string& url, const std::string& date) {
    std::string query = endpoint + (endpoint.find('?') == std::string::npos ? '?' : '&') + "url=" + queryValue(url);
    if (!date.empty())
        query += "&timestamp=" + date;
    return query;
}

std::string modificationDay(const std::string& path) {
    struct stat status {};
    std::tm day{};
    if (::stat(path.c_str(), &status) != 0 || gmtime_r(&status.st_mtime, &day) == nullptr)
        return {};
    char text[16];
    return std::strftime(text, sizeof text, "%Y%m%d", &day) == 8 ? std::string(text) : std::string();
}

DialogDriver::Planner archivePlanner(const StopSignals& signals, std::shared_ptr<tarn::RunContext> run,
                                     ArchiveLookup lookup) {
    return [&signals, run = std::move(run), lookup = std::move(lookup)](const std::vector<LinkRecord>& rows) {
        FixPlan plan;
        const std::optional<int> timeout = run->options().requests.timeout;
        const std::chrono::milliseconds limit = timeout ? std::chrono::seconds(*timeout) : kDefaultLimit;
        std::shared_ptr<tarn::RequestEngine> engine;
        std::map<std::string, std::optional<std::string>> snapshots;  // by dead URL: each is asked once
        for (std::size_t row = 0; row < rows.size() && !signals.arrived(); ++row) {
            const LinkRecord& link = rows[row];
            if (!isDead(link))
                continue;
            auto [known, isNew] = snapshots.try_emplace(link.url);
            if (isNew) {
                if (!engine)
                    engine = tarn::runEngine(*run);
                const std::string question = archiveQuery(lookup.endpoint, link.url, lookup.date);
                known->second = askArchive(*engine, question, limit, signals);
            }
            if (known->second)
                plan.fixes.push_back({static_cast<int>(row), win::DecodeUtf8(*known->second), "archive"});
        }
        return plan;
    };
}
