#pragma once
#include <csignal>

// SIGINT, SIGTERM and SIGHUP while the program runs: instead of ending the process, each is noted on a
// pipe that the front end watches, so that it can close the dialog as Cancel on its own thread (a signal
// handler may do nothing of the sort). One at a time; the previous handlers return when it goes.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Readable once a signal has come; for poll().
    int fd() const { return fds_[0]; }
    // Whether a signal has come (the pipe is left readable, so every watcher sees it).
    bool arrived() const;
    // The first signal that came (SIGINT, SIGTERM, SIGHUP); 0 before any.
    int first() const;

private:
    int fds_[2] = {-1, -1};
    struct sigaction previous_[3] {};
};
