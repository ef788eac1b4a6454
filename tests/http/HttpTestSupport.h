#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <string>

#include "contracts/host/CExtenUrlChecker.h"

namespace httptest {

using Clock = std::chrono::steady_clock;

// What one getHeaderStatus gave.
struct Answer {
    bool answered;
    int status;
    friend bool operator==(const Answer&, const Answer&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Answer& answer) {
        return out << (answer.answered ? "answered " : "no answer ") << answer.status;
    }
};

inline constexpr Answer kNoAnswer{false, 0};

// Calls getHeaderStatus with a status it must overwrite.
inline Answer check(CExtenUrlChecker& checker, const std::string& url) {
    int status = -1;
    const bool answered = checker.getHeaderStatus(CString::FromUtf8(url), status, false);
    return {answered, status};
}

inline long long millisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Sets the engine's stop flag for one scope; the flag is process-wide.
class StopRequired {
public:
    StopRequired();
    StopRequired(const StopRequired&) = delete;
    StopRequired& operator=(const StopRequired&) = delete;
    ~StopRequired();
};

}  // namespace httptest
