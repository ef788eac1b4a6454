#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The statuses --accept names ("200-299,403,429"): a link that got one of them does not fail the run,
// whatever the dialog says of it.
class AcceptedCodes {
public:
    // None when `text` is not a list of statuses (100 to 999) and ranges of them.
    static std::optional<AcceptedCodes> parse(const std::string& text);
    // Why `text` cannot be read, quoting it; empty when it can.
    static std::string problem(const std::string& text);

    bool contains(int status) const;

private:
    std::vector<std::pair<int, int>> ranges_;
};
