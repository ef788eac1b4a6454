#include "hostlibs/run/UrlAnswer.h"

namespace tarn {

std::string_view findHeader(const KeptHeaders& headers, std::string_view name) {
    for (const auto& [key, value] : headers) {
        if (key == name)
            return value;
    }
    return {};
}

}  // namespace tarn
