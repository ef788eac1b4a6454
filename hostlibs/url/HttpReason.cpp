#include "hostlibs/url/HttpReason.h"

#include <algorithm>
#include <iterator>

namespace tarn {
namespace {

struct Reason {
    int status;
    const char16_t* phrase;
};

// The IANA HTTP status code registry, in order.
constexpr Reason kReasons[] = {
    {100, u"Continue"},
    {101, u"Switching Protocols"},
    {102, u"Processing"},
    {103, u"Early Hints"},
    {200, u"OK"},
    {201, u"Created"},
    {202, u"Accepted"},
    {203, u"Non-Authoritative Information"},
    {204, u"No Content"},
    {205, u"Reset Content"},
    {206, u"Partial Content"},
    {207, u"Multi-Status"},
    {208, u"Already Reported"},
    {226, u"IM Used"},
    {300, u"Multiple Choices"},
    {301, u"Moved Permanently"},
    {302, u"Found"},
    {303, u"See Other"},
    {304, u"Not Modified"},
    {305, u"Use Proxy"},
    {307, u"Temporary Redirect"},
    {308, u"Permanent Redirect"},
    {400, u"Bad Request"},
    {401, u"Unauthorized"},
    {402, u"Payment Required"},
    {403, u"Forbidden"},
    {404, u"Not Found"},
    {405, u"Method Not Allowed"},
    {406, u"Not Acceptable"},
    {407, u"Proxy Authentication Required"},
    {408, u"Request Timeout"},
    {409, u"Conflict"},
    {410, u"Gone"},
    {411, u"Length Required"},
    {412, u"Precondition Failed"},
    {413, u"Content Too Large"},
    {414, u"URI Too Long"},
    {415, u"Unsupported Media Type"},
    {416, u"Range Not Satisfiable"},
    {417, u"Expectation Failed"},
    {421, u"Misdirected Request"},
    {422, u"Unprocessable Content"},
    {423, u"Locked"},
    {424, u"Failed Dependency"},
    {425, u"Too Early"},
    {426, u"Upgrade Required"},
    {428, u"Precondition Required"},
    {429, u"Too Many Requests"},
    {431, u"Request Header Fields Too Large"},
    {451, u"Unavailable For Legal Reasons"},
    {500, u"Internal Server Error"},
    {501, u"Not Implemented"},
    {502, u"Bad Gateway"},
    {503, u"Service Unavailable"},
    {504, u"Gateway Timeout"},
    {505, u"HTTP Version Not Supported"},
    {506, u"Variant Also Negotiates"},
    {507, u"Insufficient Storage"},
    {508, u"Loop Detected"},
    {510, u"Not Extended"},
    {511, u"Network Authentication Required"},
};

}  // namespace

const char16_t* httpReasonPhrase(long status) {
    const auto* found = std::lower_bound(std::begin(kReasons), std::end(kReasons), status,
                                         [](const Reason& reason, long value) { return reason.status < value; });
    return found != std::end(kReasons) && found->status == status ? found->phrase : nullptr;
}

}  // namespace tarn
