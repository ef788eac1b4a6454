#include "app/StopSignals.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace {

constexpr int kSignals[3] = {SIGINT, SIGTERM, SIGHUP};

// The write end of the live instance's pipe, for the handler.
volatile sig_atomic_t writeEnd = -1;
volatile sig_atomic_t firstSignal = 0;

extern "C" void noteSignal(int number) {
    int saved = errno;
    if (firstSignal == 0)
        firstSignal = number;
    char byte = 1;
    // A full pipe already says it.
    [[maybe_unused]] ssize_t n = ::write(writeEnd, &byte, 1);
    errno = saved;
}

}  // namespace

StopSignals::StopSignals() {
    if (pipe2(fds_, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::system_error(errno, std::generic_category(), "cannot make the signal pipe");
    writeEnd = fds_[1];
    firstSignal = 0;
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i)
        sigaction(kSignals[i], &action, &previous_[i]);
}

StopSignals::~StopSignals() {
    for (int i = 0; i < 3; ++i)
        sigaction(kSignals[i], &previous_[i], nullptr);
    writeEnd = -1;
    ::close(fds_[0]);
    ::close(fds_[1]);
}

bool StopSignals::arrived() const {
    pollfd watch{fds_[0], POLLIN, 0};
    return poll(&watch, 1, 0) > 0 && (watch.revents & POLLIN) != 0;
}

int StopSignals::first() const { return firstSignal; }
