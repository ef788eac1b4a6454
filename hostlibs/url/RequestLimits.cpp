#include "hostlibs/url/RequestLimits.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "contracts/host/CQuorCommon.h"
#include "platform/win/Utf8.h"
#include "platform/win/WinReg.h"

namespace tarn {
namespace {

// A number option of the user's, within 1..`most`; nothing when it is missing or is not a number. A
// number out of range is brought into it, and said.
std::optional<int> readOption(const char16_t* name, int most, const NoticeSink& notices) {
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
    const int bounded = static_cast<int>(std::clamp<std::uint32_t>(value, 1, static_cast<std::uint32_t>(most)));
    if (bounded != static_cast<std::int64_t>(value) && notices)
        notices("the setting " + win::EncodeUtf8(name) + " is " + std::to_string(value) + ", out of its range 1 to " +
                std::to_string(most) + ": " + std::to_string(bounded) + " is used");
    return bounded;
}

}  // namespace

RequestLimits requestLimits(const RequestOptions& options, const NoticeSink& notices) {
    RequestLimits limits;
    const std::optional<int> parallel =
        options.parallel ? options.parallel : readOption(u"checkParallel", kMostParallel, notices);
    const std::optional<int> perHost =
        options.perHost ? options.perHost : readOption(u"checkPerHost", kMostPerHost, notices);
    if (parallel)
        limits.parallel = std::clamp(*parallel, 1, kMostParallel);
    if (perHost)
        limits.perHost = std::clamp(*perHost, 1, kMostPerHost);
    return limits;
}

}  // namespace tarn
