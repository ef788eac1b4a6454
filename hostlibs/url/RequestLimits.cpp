#include "hostlibs/url/RequestLimits.h"

#include <algorithm>

#include "contracts/host/CQuorCommon.h"
#include "platform/win/WinReg.h"

namespace tarn {
namespace {

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

RequestLimits requestLimits(const RequestOptions& options) {
    RequestLimits limits;
    const std::optional<int> parallel = options.parallel ? options.parallel : readOption(u"checkParallel");
    const std::optional<int> perHost = options.perHost ? options.perHost : readOption(u"checkPerHost");
    if (parallel)
        limits.parallel = std::max(1, *parallel);
    if (perHost)
        limits.perHost = std::max(1, *perHost);
    return limits;
}

}  // namespace tarn
