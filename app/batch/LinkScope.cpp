#include "app/batch/LinkScope.h"

#include <algorithm>

#include <re2/re2.h>

namespace {

std::vector<std::unique_ptr<re2::RE2>> compiled(const std::vector<std::string>& patterns) {
    re2::RE2::Options options;
    options.set_log_errors(false);
    std::vector<std::unique_ptr<re2::RE2>> out;
    for (const std::string& pattern : patterns)
        out.push_back(std::make_unique<re2::RE2>(pattern, options));
    return out;
}

bool anyFound(const std::vector<std::unique_ptr<re2::RE2>>& patterns, const std::string& url) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [&url](const std::unique_ptr<re2::RE2>& pattern) { return re2::RE2::PartialMatch(url, *pattern); });
}

}  // namespace

LinkScope::LinkScope(const std::vector<std::string>& excludes, const std::vector<std::string>& includes)
    : excludes_(compiled(excludes)), includes_(compiled(includes)) {}

LinkScope::~LinkScope() = default;

LinkScope::LinkScope(LinkScope&&) noexcept = default;

bool LinkScope::excludes(const std::string& url) const {
    if (anyFound(includes_, url))
        return false;
    return !includes_.empty() || anyFound(excludes_, url);
}

std::string LinkScope::patternProblem(const std::string& pattern) {
    re2::RE2::Options options;
    options.set_log_errors(false);
    const re2::RE2 compiled(pattern, options);
    if (compiled.ok())
        return {};
    return "\"" + pattern + "\" is not a regular expression: " + compiled.error();
}
