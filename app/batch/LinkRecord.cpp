#include "app/batch/LinkRecord.h"

namespace {

const char* const kOk = "OK";
const char* const kLinkError = "リンクエラー";
const char* const kUnknown = "不明";

}  // namespace

const char* LinkRecord::key() const {
    if (result == kOk)
        return "ok";
    if (result == kLinkError)
        return "error";
    if (result == kUnknown)
        return "unknown";
    return "stopped";
}

bool LinkRecord::isError() const { return result == kLinkError; }

void Counts::add(const LinkRecord& link) {
    ++links;
    if (link.result == kOk)
        ++ok;
    else if (link.isError())
        ++errors;
    else
        ++undetermined;
}

void Counts::add(const Counts& other) {
    links += other.links;
    ok += other.ok;
    errors += other.errors;
    undetermined += other.undetermined;
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
