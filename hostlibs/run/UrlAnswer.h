#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarn {

// Why a request got no status, as a kind a report can act on; UrlAnswer::failure words it for a person.
enum class FailureKind {
    None,                 // a status came
    Stopped,              // the check was stopped, or the checker closed, before an answer came
    NotHttp,              // not an http or https URL: nothing was asked
    MalformedUrl,
    HostNotResolved,
    ProxyNotResolved,
    Refused,              // connection refused
    Unreachable,
    TimedOut,
    CouldNotConnect,
    Tls,
    ClosedWithoutAnswer,
    MalformedAnswer,
    Reset,
    Broken,               // the connection broke otherwise
    NoAnswer,             // the transfer ended without a final answer (interim answers only)
    NoClient,             // no HTTP client could be made
    Other,
};

// An answer's headers that the checker and the reports read: lower-case names, trimmed values.
using KeptHeaders = std::vector<std::pair<std::string, std::string>>;

// A kept header's value; empty when the answer had none.
std::string_view findHeader(const KeptHeaders& headers, std::string_view name);

// What became of one asked URL: the status the module is given, and what reports need beyond it.
struct UrlAnswer {
    int status = 0;          // the final answer's status; 0 when none came
    std::string location;    // a redirect's Location resolved against the URL; empty when none
    FailureKind failureKind = FailureKind::None;
    std::string failure;     // why no status came, in words for a person; empty when one did
    KeptHeaders headers;     // of the final answer: retry-after, cf-mitigated
    // A 429 or 503 that still refused when the checker gave up: the host was left alone as long as it
    // asked (or longer than the link's time limit allowed) and asked again as often as it may be.
    bool stillRefused = false;
    int requests = 0;        // HTTP requests made for this answer
    std::string body;        // of a request that keeps its body (LinkRequest::bodyLimit); else empty
    bool cached = false;     // kept from an earlier run (AnswerCache): nothing was asked

    std::string_view header(std::string_view name) const { return findHeader(headers, name); }
};

// 301 and 308: the link has moved for good, and may be corrected to where it leads.
inline bool isPermanentRedirect(int status) { return status == 301 || status == 308; }

// Why an answer is a wall put up against checkers rather than a broken link, in words: "bot challenge"
// (a 403 that says it is one: cf-mitigated: challenge), "status 999" (a refusal some sites give every
// program), "rate limited" (a 429 still refused after its hold); empty for any other answer.
std::string_view blockedReason(const UrlAnswer& answer);

}  // namespace tarn
