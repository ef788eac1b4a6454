#pragma once

#include "platform/win/SentMessage.h"
#include "platform/win/WinTypes.h"
#include "platform/win/WinUser.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_set>
#include <vector>

namespace win {

// Which posted messages a GetMessageW or PeekMessageW call takes.
struct MessageFilter {
    HWND hwnd;  // null: every message of the thread
    UINT first;
    UINT last;  // first and last both 0: every number

    bool Matches(const MSG& msg) const;
};

// The message queue of one thread: the messages sent to its windows from other threads, the messages
// posted to it, the quit request, and the set of its live windows. Other threads only add to it; the owner
// thread takes from it and runs what it takes without holding the lock, so a window procedure may send
// or post anywhere. Only the owner thread waits on its queue: it spins briefly, yielding, before it
// blocks, and the others wake it only when it is really blocked.
class MessageQueue {
public:
    explicit MessageQueue(DWORD threadId) : m_threadId(threadId) {}
    ~MessageQueue();
    MessageQueue(const MessageQueue&) = delete;
    MessageQueue& operator=(const MessageQueue&) = delete;

    // The calling thread's queue, made on first need. When the thread ends, the queue closes.
    static const std::shared_ptr<MessageQueue>& ForCurrentThread();

    DWORD ThreadId() const { return m_threadId; }

    // Any thread. Each fails when the window it addresses is not alive here (or the queue closed).
    bool Post(const MSG& msg);
    bool Deliver(std::shared_ptr<SentMessage> sent);
    void PostQuit(int exitCode);
    // On the sender's queue: hands the result to the thread waiting for it. True when that thread was
    // asleep and had to be woken.
    bool Reply(SentMessage& sent, LRESULT result);

    // Owner thread only.
    void AddWindow(HWND hWnd);
    // Forgets the window and drops its posted messages; returns the sent ones still waiting for it, for
    // the caller to answer with 0 once the lock is released.
    std::vector<std::shared_ptr<SentMessage>> RemoveWindow(HWND hWnd);
    // Serves sent messages until `sent` has its reply, and returns the reply.
    LRESULT WaitForReply(const SentMessage& sent);

    enum class Taken { Message, Quit, Nothing };
    // Serves the sent messages, then takes the first posted message that passes the filter, or WM_QUIT
    // when none does and quit was asked. With `wait`, blocks until one of those is there.
    Taken Take(MSG& out, const MessageFilter& filter, bool wait, bool remove);
    // True as soon as anything is queued; false when the time ran out first.
    bool WaitForInput(DWORD timeoutMs);
    // Waits for anything queued or for one of the fds to be readable, whichever comes first: -1 for the
    // queue, the fd's index, or -2 when the time ran out (timeoutMs INFINITE: never).
    int WaitForInputOrFds(const int* fds, int count, DWORD timeoutMs);
    // The thread ends: its windows die, and senders still waiting on them get 0.
    void Close();

private:
    using Clock = std::chrono::steady_clock;
    using Deadline = std::optional<Clock::time_point>;  // none: no end
    // How the owner waits, so that an addition wakes it the way it sleeps and not at all while it spins.
    enum class Sleeper { None, OnCondition, OnFds };
    // What an addition has to wake, found under the lock and woken once the lock is released.
    struct WakeUp {
        bool notify = false;
        int fd = -1;
    };

    // Takes the oldest sent message and runs it with the lock released; the lock is held again on return.
    void ServeOneSent(std::unique_lock<std::mutex>& lock);
    bool HasInput() const { return !m_sent.empty() || !m_posted.empty() || m_quit; }
    // Lock held: counts an addition (a message, the quit request, a reply) and says who must be woken.
    WakeUp Added();
    void Wake(WakeUp wakeUp);
    // Lock held, on the owner thread: spins, yielding and without the lock, until something is added or
    // the spin's time (or the deadline) is over. True when something was added since the caller looked.
    // The spin is longer, once, after this thread woke the thread it now waits for (m_longSpin).
    bool SpinForAddition(std::unique_lock<std::mutex>& lock, const Deadline& deadline);
    // Lock held, on the owner thread: returns true once something is added after the caller looked, false
    // at the deadline.
    bool AwaitAddition(std::unique_lock<std::mutex>& lock, const Deadline& deadline);

    const DWORD m_threadId;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::unordered_set<HWND> m_windows;
    std::deque<std::shared_ptr<SentMessage>> m_sent;
    std::deque<MSG> m_posted;
    bool m_quit = false;
    int m_quitCode = 0;
    bool m_closed = false;
    // Counts the additions; written under the lock, read without it by the owner's spin.
    std::atomic<std::uint32_t> m_additions{0};
    Sleeper m_sleeper = Sleeper::None;
    // The owner's waits do not spin before this time; m_noSpin is how long the last contention kept them
    // from it, 0 once a spin met none (owner thread only).
    Clock::time_point m_spinResumes;
    std::chrono::milliseconds m_noSpin{};
    bool m_longSpin = false;
    // Made readable by an addition while the owner sleeps in poll; made on the first wait that watches
    // fds, so that a queue nobody polls pays nothing for it.
    int m_wakeFd = -1;
};

}  // namespace win
