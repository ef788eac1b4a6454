#include "app/batch/Progress.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "app/ForPeople.h"

namespace {

int terminalWidth() {
    winsize size{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

// Cuts UTF-8 text to `cells` characters at a character boundary. A wide character counts as one, so a
// line full of them may still wrap; URLs seldom hold any.
std::string cut(const std::string& text, int cells) {
    int count = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if ((static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
            continue;
        if (++count > cells)
            return text.substr(0, at);
    }
    return text;
}

}  // namespace

std::unique_ptr<Progress> Progress::forTerminal() {
    if (!isatty(STDERR_FILENO))
        return nullptr;
    return std::make_unique<Progress>();
}

void Progress::show(std::string_view page, int done, int all, std::string_view url) {
    const Clock::time_point now = Clock::now();
    if (shown_ && now - last_ < std::chrono::milliseconds(100))
        return;
    last_ = now;
    shown_ = true;
    const std::string line =
        forPeople(page) + "  " + std::to_string(done) + "/" + std::to_string(all) + "  " + forPeople(url);
    const std::string shown = cut(line, std::max(terminalWidth() - 1, 20));
    std::fprintf(stderr, "\r\x1b[K%s", shown.c_str());
    std::fflush(stderr);
}

void Progress::clear() {
    if (!shown_)
        return;
    shown_ = false;
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
}
