#pragma once
#include <chrono>
#include <memory>
#include <string>
#include <string_view>

// While a run goes on, one line on standard error that keeps being rewritten: the page, the links
// done of all, the URL being asked. Only for a terminal, so logs stay clean.
class Progress {
public:
    // Null when standard error is not a terminal.
    static std::unique_ptr<Progress> forTerminal();

    // At most ten times a second; the line is cut to the terminal's width.
    void show(std::string_view page, int done, int all, std::string_view url);
    void clear();

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point last_{};
    bool shown_ = false;
};
