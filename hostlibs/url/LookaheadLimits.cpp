#include "hostlibs/url/LookaheadLimits.h"

#include <algorithm>
#include <atomic>
#include <mutex>

#include "contracts/host/CQuorCommon.h"
#include "platform/win/WinReg.h"

namespace tarn {
namespace {

struct CommandLine {
    std::mutex mutex;
    std::optional<int> parallel;
    std::optional<int> perHost;
};

CommandLine& commandLine() {
    static CommandLine given;
    return given;
}

std::atomic<bool> keepGoodAnswers{false};

// A number option of the user's; nothing when it is missing or is not a number.
std::optional<int> readOption(const char16_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, CQuorCommon::getHKCUTarnpageOptions().GetString(), 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const bool found = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size) ==
                           ERROR_SUCCESS &&
                       type == REG_DWORD;
    RegCloseKey(key);
    if (!found)
        return std::nullopt;
    return static_cast<int>(std::min<DWORD>(value, 1024));
}

}  // namespace

LookaheadLimits lookaheadLimits() {
    LookaheadLimits limits;
    std::optional<int> parallel;
    std::optional<int> perHost;
    {
        CommandLine& given = commandLine();
        const std::lock_guard lock(given.mutex);
        parallel = given.parallel;
        perHost = given.perHost;
    }
    if (!parallel)
        parallel = readOption(u"checkParallel");
    if (!perHost)
        perHost = readOption(u"checkPerHost");
    if (parallel)
        limits.parallel = std::max(1, *parallel);
    if (perHost)
        limits.perHost = std::max(1, *perHost);
    return limits;
}

void setCommandLineLimits(std::optional<int> parallel, std::optional<int> perHost) {
    CommandLine& given = commandLine();
    const std::lock_guard lock(given.mutex);
    given.parallel = parallel;
    given.perHost = perHost;
}

void keepGoodAnswersAcrossRuns(bool keep) { keepGoodAnswers.store(keep); }

bool goodAnswersKeptAcrossRuns() { return keepGoodAnswers.load(); }

}  // namespace tarn
