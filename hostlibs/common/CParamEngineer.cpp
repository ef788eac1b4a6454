#include "contracts/host/CParamEngineer.h"

#include "contracts/host/CQuorCommon.h"
#include "hostlibs/common/BrowserEndpoints.h"
#include "hostlibs/run/RunContext.h"
#include "platform/win/Utf8.h"
#include "platform/win/WinReg.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

const char16_t* const ENDPOINTS_VALUE = u"browserEndpoints";
// Where a browser started for remote debugging listens unless told otherwise.
const char16_t* const DEFAULT_ENDPOINT = u"127.0.0.1:9222";

// The option's text; false when it is missing or is not text.
bool ReadEndpoints(std::u16string& text) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, CQuorCommon::getHKCUTarnpageOptions().GetString(), 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD size = 0;
    bool found = RegQueryValueExW(key, ENDPOINTS_VALUE, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
                 type == REG_SZ;
    if (found) {
        std::u16string data(size / sizeof(char16_t), u'\0');
        found = RegQueryValueExW(key, ENDPOINTS_VALUE, nullptr, &type, reinterpret_cast<LPBYTE>(data.data()),
                                 &size) == ERROR_SUCCESS;
        // The stored text ends at its terminating NUL; a value written without one is read whole.
        data.resize(size / sizeof(char16_t));
        if (const std::size_t nul = data.find(u'\0'); nul != std::u16string::npos)
            data.resize(nul);
        text = std::move(data);
    }
    RegCloseKey(key);
    return found;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// The option's endpoints in their order, blanks around each trimmed.
std::vector<std::u16string> SplitEndpoints(std::u16string_view rest) {
    std::vector<std::u16string> endpoints;
    while (!rest.empty()) {
        const std::size_t end = rest.find(u';');
        std::u16string_view endpoint = rest.substr(0, end);
        rest = end == std::u16string_view::npos ? std::u16string_view() : rest.substr(end + 1);
        while (!endpoint.empty() && IsBlank(endpoint.front()))
            endpoint.remove_prefix(1);
        while (!endpoint.empty() && IsBlank(endpoint.back()))
            endpoint.remove_suffix(1);
        if (!endpoint.empty())
            endpoints.emplace_back(endpoint);
    }
    return endpoints;
}

}  // namespace

CParamEngineer* CParamEngineer::getInstance() {
    static CParamEngineer instance;
    return &instance;
}

void CParamEngineer::getDDEBrowserTopic(BROWSER_ID browser, CStringArray& topics) {
    if (browser != BROWSER_DEFAULT)
        return;
    const std::shared_ptr<tarn::RunContext> run = tarn::currentRun();
    std::vector<std::u16string> endpoints;
    for (const std::string& endpoint : run->options().browserEndpoints)
        endpoints.push_back(win::DecodeUtf8(endpoint));
    std::u16string option;
    const std::vector<std::u16string> fromOption =
        ReadEndpoints(option) ? SplitEndpoints(option) : std::vector<std::u16string>{DEFAULT_ENDPOINT};
    for (const std::u16string& endpoint : fromOption) {
        const std::string text = win::EncodeUtf8(endpoint);
        if (!tarn::browser::isLoopbackEndpoint(text))
            run->notice("the setting browserEndpoints names " + text +
                                  ", which is not a port on this machine (127.0.0.1, [::1] or localhost); skipped");
        else
            endpoints.push_back(endpoint);
    }
    // An endpoint given twice is asked once: a browser that does not answer costs its wait only once.
    for (std::size_t i = 0; i < endpoints.size(); ++i)
        if (std::find(endpoints.begin(), endpoints.begin() + i, endpoints[i]) == endpoints.begin() + i)
            topics.Add(CString(endpoints[i]));
}
