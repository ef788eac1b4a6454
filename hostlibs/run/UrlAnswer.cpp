#include "hostlibs/run/UrlAnswer.h"

namespace tarn {

std::string_view findHeader(const KeptHeaders& headers, std::string_view name) {
    for (const auto& [key, value] : headers) {
        if (key == name)
            return value;
    }
    return {};
}

std::string_view blockedReason(const UrlAnswer& answer) {
    if (answer.status == 403 && answer.header("cf-mitigated") == "challenge")
        return "bot challenge";
    if (answer.status == 999)
        return "status 999";
    if (answer.status == 429 && answer.stillRefused)
        return "rate limited";
    return {};
}

}  // namespace tarn
