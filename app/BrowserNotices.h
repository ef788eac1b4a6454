#pragma once
#include <iosfwd>

// While it lives, the lines the host library writes when no browser gives its page (the dialog itself stays
// silent) go to `out`, one line each, as the program's other messages for people do.
class BrowserNotices {
public:
    explicit BrowserNotices(std::ostream& out);
    ~BrowserNotices();
    BrowserNotices(const BrowserNotices&) = delete;
    BrowserNotices& operator=(const BrowserNotices&) = delete;
};
