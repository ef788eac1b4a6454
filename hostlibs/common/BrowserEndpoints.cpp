#include "hostlibs/common/BrowserEndpoints.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <charconv>
#include <string>

namespace tarn::browser {
namespace {

bool isLoopbackHost(std::string_view host) {
    if (host.size() == 9) {
        static constexpr std::string_view kLocalhost = "localhost";
        bool same = true;
        for (std::size_t i = 0; i < host.size(); ++i)
            same = same && (host[i] | 0x20) == kLocalhost[i];
        if (same)
            return true;
    }
    // inet_pton takes the dotted quad only: no short forms, octal or hex that a resolver might read otherwise.
    const std::string text(host.size() > 2 && host.front() == '[' && host.back() == ']' ? host.substr(1, host.size() - 2)
                                                                                           : host);
    if (text.size() == host.size()) {
        in_addr v4{};
        return inet_pton(AF_INET, text.c_str(), &v4) == 1 && (ntohl(v4.s_addr) >> 24) == 127;
    }
    in6_addr v6{};
    return inet_pton(AF_INET6, text.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

}  // namespace

bool isLoopbackEndpoint(std::string_view endpoint) {
    const std::size_t colon = endpoint.rfind(':');
    if (colon == std::string_view::npos)
        return false;
    const std::string_view port = endpoint.substr(colon + 1);
    unsigned number = 0;
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
    if (port.empty() || error != std::errc() || end != port.data() + port.size() || number == 0 || number > 65535)
        return false;
    return isLoopbackHost(endpoint.substr(0, colon));
}

}  // namespace tarn::browser
