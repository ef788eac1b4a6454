#include "app/batch/LinkRecord.h"

#include "contracts/dialog/LinkCheckFace.h"
#include "platform/win/Utf8.h"

namespace {

// The dialog's verdicts as the rows are read (UTF-8).
const std::string kOk = win::EncodeUtf8(linkcheck::RESULT_OK);
const std::string kLinkError = win::EncodeUtf8(linkcheck::RESULT_LINK_ERROR);
const std::string kUnknown = win::EncodeUtf8(linkcheck::RESULT_UNKNOWN);

}  // namespace

const char* LinkRecord::key() const {
    if (excluded)
        return "excluded";
    if (accepted)
        return "accepted";
    if (!blocked.empty())
        return "blocked";
    if (result == kOk)
        return "ok";
    if (result == kLinkError)
        return "error";
    if (result == kUnknown)
        return "unknown";
    return "stopped";
}

bool LinkRecord::isError() const {
    if (excluded || accepted)
        return false;
    if (!blocked.empty())
        return blockedAs == BlockedAs::Error;
    return result == kLinkError;
}

const char* LinkRecord::verdict() const {
    const char* own = key();
    return excluded || accepted || !blocked.empty() ? own : nullptr;
}

bool LinkRecord::passes() const {
    if (excluded)
        return false;
    if (accepted)
        return true;
    if (!blocked.empty())
        return blockedAs == BlockedAs::Ok;
    return result == kOk;
}

bool LinkRecord::quiet() const { return excluded || (passes() && !accepted); }

std::string_view LinkRecord::redirect() const {
    return answer.status >= 300 && answer.status < 400 ? std::string_view(answer.location) : std::string_view();
}

std::string_view LinkRecord::failure() const {
    return answer.status == 0 ? std::string_view(answer.failure) : std::string_view();
}

std::string LinkRecord::summary() const {
    std::string out = code + ' ' + url;
    if (!redirect().empty())
        out += " -> " + std::string(redirect());
    if (!failure().empty())
        out += " [" + std::string(failure()) + ']';
    return out;
}

void Counts::add(const LinkRecord& link) {
    ++links;
    if (link.excluded)
        ++excluded;
    else if (link.accepted)
        ++accepted;
    else if (link.isError())
        ++errors;
    else if (!link.blocked.empty())
        ++(link.blockedAs == BlockedAs::Ok ? ok : blocked);
    else if (link.result == kOk)
        ++ok;
    else
        ++undetermined;
}

void Counts::add(const Counts& other) {
    links += other.links;
    ok += other.ok;
    errors += other.errors;
    undetermined += other.undetermined;
    excluded += other.excluded;
    accepted += other.accepted;
    blocked += other.blocked;
}

Counts PageRecord::counts() const {
    Counts counts;
    for (const LinkRecord& link : links)
        counts.add(link);
    return counts;
}

Counts RunRecord::counts() const {
    Counts counts;
    for (const PageRecord& page : pages)
        counts.add(page.counts());
    return counts;
}
