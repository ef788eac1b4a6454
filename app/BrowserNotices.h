#pragma once
#include <iosfwd>

class HostWindow;

// While it lives, the lines the host library writes when no browser gives its page (the dialog itself stays
// silent) go to `out`, one line each, as the program's other messages for people do, or to the host
// window's status bar.
class BrowserNotices {
public:
    explicit BrowserNotices(std::ostream& out);
    explicit BrowserNotices(HostWindow& statusBar);
    ~BrowserNotices();
    BrowserNotices(const BrowserNotices&) = delete;
    BrowserNotices& operator=(const BrowserNotices&) = delete;
};
