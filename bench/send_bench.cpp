// The round trip of a blocking cross-thread send: a worker sends N messages one after another to a
// window of the main thread, which pumps its messages either with GetMessageW or as the modal loop
// does (PeekMessageW, then MsgWaitForMessages with a short slice). Prints wall and CPU microseconds per
// send (the median of three rounds, as the threads land on one core or on two), with the machine as it
// is and again while another process keeps one core busy.
// Usage: send_bench [sends]   (default 10000)
#include "platform/win/WinUser.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT kAsk = WM_USER + 1;
constexpr UINT kDone = WM_USER + 2;

LRESULT AskProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kAsk)
        return static_cast<LRESULT>(wParam) + 1;
    if (message == kDone) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

enum class Pump { GetMessage, ModalLoop };

struct Figures {
    double wall;
    double cpu;
};

Figures Round(Pump pump, int sends) {
    HWND hWnd = CreateMessageWindow(&AskProc, nullptr);
    double wall = 0;
    const double cpuStart = CpuSeconds();
    std::thread worker([&] {
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < sends; ++i) {
            if (SendMessageW(hWnd, kAsk, static_cast<WPARAM>(i), 0) != i + 1) {
                std::fprintf(stderr, "send_bench: a send returned the wrong result\n");
                std::exit(1);
            }
        }
        wall = std::chrono::duration<double>(Clock::now() - start).count();
        PostMessageW(hWnd, kDone, 0, 0);
    });
    MSG msg;
    if (pump == Pump::GetMessage) {
        while (GetMessageW(&msg, nullptr, 0, 0) > 0)
            DispatchMessageW(&msg);
    } else {
        for (bool quit = false; !quit;) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                quit = quit || msg.message == WM_QUIT;
                DispatchMessageW(&msg);
            }
            if (!quit)
                MsgWaitForMessages(10);
        }
    }
    worker.join();
    const double cpu = CpuSeconds() - cpuStart;
    DestroyWindow(hWnd);
    return {wall / sends * 1e6, cpu / sends * 1e6};
}

void Measure(const char* load, Pump pump, int sends) {
    std::array<Figures, 3> rounds{};
    for (Figures& round : rounds)
        round = Round(pump, sends);
    std::sort(rounds.begin(), rounds.end(), [](const Figures& a, const Figures& b) { return a.wall < b.wall; });
    std::printf("  %-16s %-11s %8.2f us/send wall %8.2f us/send CPU\n", load,
                pump == Pump::GetMessage ? "GetMessage" : "modal loop", rounds[1].wall, rounds[1].cpu);
}

// Another process that keeps one core busy while it lives.
class BusyCore {
public:
    BusyCore() {
        char sh[] = "sh";
        char dashC[] = "-c";
        char loop[] = "while :; do :; done";
        char* argv[] = {sh, dashC, loop, nullptr};
        if (posix_spawnp(&m_pid, "sh", nullptr, nullptr, argv, environ) != 0) {
            std::fprintf(stderr, "send_bench: cannot start the busy process\n");
            std::exit(1);
        }
    }
    BusyCore(const BusyCore&) = delete;
    BusyCore& operator=(const BusyCore&) = delete;
    ~BusyCore() {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }

private:
    pid_t m_pid = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const int sends = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (sends <= 0) {
        std::fprintf(stderr, "usage: send_bench [sends]\n");
        return 2;
    }
    std::printf("%d blocking sends from a worker to the main thread\n", sends);
    Measure("as it is", Pump::GetMessage, sends);
    Measure("as it is", Pump::ModalLoop, sends);
    BusyCore busy;
    Measure("one core busy", Pump::GetMessage, sends);
    Measure("one core busy", Pump::ModalLoop, sends);
    return 0;
}
