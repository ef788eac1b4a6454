#pragma once
#include <memory>
#include <string>
#include <vector>

namespace re2 {
class RE2;
}

// Which links a batch run checks, by --exclude and --include: RE2 patterns (linear time, so a pattern
// from a config file cannot hang a run) searched in the URL as the page writes it. A link that matches an
// exclude and no include is left out; once any include is given, so is a link that matches none.
class LinkScope {
public:
    // The patterns must be valid (see patternProblem).
    LinkScope(const std::vector<std::string>& excludes, const std::vector<std::string>& includes);
    ~LinkScope();
    LinkScope(LinkScope&&) noexcept;

    bool excludes(const std::string& url) const;

    // Why `pattern` is no RE2 pattern; empty when it is one.
    static std::string patternProblem(const std::string& pattern);

private:
    std::vector<std::unique_ptr<re2::RE2>> excludes_;
    std::vector<std::unique_ptr<re2::RE2>> includes_;
};
