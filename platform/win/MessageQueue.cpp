#include "platform/win/MessageQueue.h"

#include "platform/win/WinBase.h"
#include "platform/win/WindowTable.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

namespace win {

namespace {

// Owns the thread's queue; its destructor runs when the thread ends, after the thread's procedure.
struct ThreadQueueHolder {
    std::shared_ptr<MessageQueue> queue;

    ~ThreadQueueHolder() {
        if (queue)
            queue->Close();
    }
};

thread_local ThreadQueueHolder threadQueue;

// How long a wait spins before it blocks: long enough for another thread to answer a message that costs
// it little (a send's reply, the next of a series of sends), which then costs no wake-up and no context
// switch; short enough to waste little when nothing comes. The spin yields, so that a thread waiting on
// a core another thread needs hands the core over instead of holding it.
constexpr std::chrono::microseconds kSpin{20};
// After a thread woke the thread it then waits for, the spin also covers that thread's wake-up, which
// takes tens of microseconds on an idle core: otherwise the waiter falls asleep just before the answer
// comes, has to be woken in turn, and both keep paying a wake-up and a spin for every message.
constexpr std::chrono::microseconds kLongSpin{100};
// A yield that takes as long as a time slice ran another thread on this core: the core is contended,
// and a spinning thread, which nobody wakes, would wait for that thread's time slice to end. (A shorter
// pause is no sign of it: a virtual machine's core stops now and then for tens of microseconds.) The waits
// then block at once for a while before they try spinning again; the while doubles as long as the
// core stays contended, so that a busy machine pays for few such tries.
constexpr std::chrono::microseconds kSliceTaken{200};
constexpr std::chrono::milliseconds kFirstNoSpin{200};
constexpr std::chrono::milliseconds kLongestNoSpin{6400};

// Answers a sent message when it leaves scope, so its sender is released even if the procedure throws.
class ReplyOnExit {
public:
    ReplyOnExit(SentMessage& sent, bool& senderWoken) : m_sent(sent), m_senderWoken(senderWoken) {}
    ReplyOnExit(const ReplyOnExit&) = delete;
    ReplyOnExit& operator=(const ReplyOnExit&) = delete;
    ~ReplyOnExit() { m_senderWoken = m_sent.sender->Reply(m_sent, m_result); }

    void Set(LRESULT result) { m_result = result; }

private:
    SentMessage& m_sent;
    bool& m_senderWoken;
    LRESULT m_result = 0;
};

}  // namespace

bool MessageFilter::Matches(const MSG& msg) const {
    if (hwnd != nullptr && msg.hwnd != hwnd)
        return false;
    if (first == 0 && last == 0)
        return true;
    return msg.message >= first && msg.message <= last;
}

MessageQueue::~MessageQueue() {
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

MessageQueue::WakeUp MessageQueue::Added() {
    m_additions.fetch_add(1, std::memory_order_relaxed);
    switch (m_sleeper) {
        case Sleeper::OnCondition:
            return {true, -1};
        case Sleeper::OnFds:
            return {false, m_wakeFd};
        case Sleeper::None:
            break;
    }
    return {};
}

void MessageQueue::Wake(WakeUp wakeUp) {
    if (wakeUp.notify)
        m_wake.notify_one();
    if (wakeUp.fd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(wakeUp.fd, &one, sizeof one);
    }
}

bool MessageQueue::SpinForAddition(std::unique_lock<std::mutex>& lock, const Deadline& deadline) {
    const std::uint32_t seen = m_additions.load(std::memory_order_relaxed);
    Clock::time_point now = Clock::now();
    if (now < m_spinResumes)
        return false;
    const Clock::time_point end =
        std::min(now + (m_longSpin ? kLongSpin : kSpin), deadline.value_or(Clock::time_point::max()));
    m_longSpin = false;
    lock.unlock();
    bool yielded = false;
    bool contended = false;
    while (!contended && m_additions.load(std::memory_order_relaxed) == seen && now < end) {
        std::this_thread::yield();
        const Clock::time_point before = now;
        now = Clock::now();
        yielded = true;
        contended = now - before > kSliceTaken;
    }
    if (contended) {
        m_noSpin = std::clamp(m_noSpin * 2, kFirstNoSpin, kLongestNoSpin);
        m_spinResumes = now + m_noSpin;
    } else if (yielded) {
        m_noSpin = {};
    }
    lock.lock();
    return m_additions.load(std::memory_order_relaxed) != seen;
}

bool MessageQueue::AwaitAddition(std::unique_lock<std::mutex>& lock, const Deadline& deadline) {
    const std::uint32_t seen = m_additions.load(std::memory_order_relaxed);
    if (SpinForAddition(lock, deadline))
        return true;
    auto added = [this, seen] { return m_additions.load(std::memory_order_relaxed) != seen; };
    m_sleeper = Sleeper::OnCondition;
    bool result = true;
    if (deadline)
        result = m_wake.wait_until(lock, *deadline, added);
    else
        m_wake.wait(lock, added);
    m_sleeper = Sleeper::None;
    return result;
}

const std::shared_ptr<MessageQueue>& MessageQueue::ForCurrentThread() {
    if (!threadQueue.queue)
        threadQueue.queue = std::make_shared<MessageQueue>(GetCurrentThreadId());
    return threadQueue.queue;
}

bool MessageQueue::Post(const MSG& msg) {
    WakeUp wakeUp;
    {
        std::lock_guard lock(m_mutex);
        if (m_closed || (msg.hwnd != nullptr && !m_windows.contains(msg.hwnd)))
            return false;
        m_posted.push_back(msg);
        wakeUp = Added();
    }
    Wake(wakeUp);
    return true;
}

bool MessageQueue::Deliver(std::shared_ptr<SentMessage> sent) {
    WakeUp wakeUp;
    {
        std::lock_guard lock(m_mutex);
        if (!m_windows.contains(sent->target->handle))
            return false;
        SentMessage& message = *sent;
        m_sent.push_back(std::move(sent));
        wakeUp = Added();
        message.ownerWoken = wakeUp.notify || wakeUp.fd >= 0;
    }
    Wake(wakeUp);
    return true;
}

void MessageQueue::PostQuit(int exitCode) {
    WakeUp wakeUp;
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_quitCode = exitCode;
        wakeUp = Added();
    }
    Wake(wakeUp);
}

bool MessageQueue::Reply(SentMessage& sent, LRESULT result) {
    WakeUp wakeUp;
    {
        std::lock_guard lock(m_mutex);
        sent.result = result;
        sent.replied = true;
        wakeUp = Added();
    }
    Wake(wakeUp);
    return wakeUp.notify || wakeUp.fd >= 0;
}

void MessageQueue::AddWindow(HWND hWnd) {
    std::lock_guard lock(m_mutex);
    m_windows.insert(hWnd);
}

std::vector<std::shared_ptr<SentMessage>> MessageQueue::RemoveWindow(HWND hWnd) {
    std::vector<std::shared_ptr<SentMessage>> orphans;
    std::lock_guard lock(m_mutex);
    m_windows.erase(hWnd);
    std::erase_if(m_posted, [hWnd](const MSG& msg) { return msg.hwnd == hWnd; });
    auto addressed = [hWnd](const std::shared_ptr<SentMessage>& sent) { return sent->target->handle == hWnd; };
    std::copy_if(m_sent.begin(), m_sent.end(), std::back_inserter(orphans), addressed);
    std::erase_if(m_sent, addressed);
    return orphans;
}

LRESULT MessageQueue::WaitForReply(const SentMessage& sent) {
    std::unique_lock lock(m_mutex);
    m_longSpin = sent.ownerWoken;
    while (!sent.replied) {
        if (!m_sent.empty())
            ServeOneSent(lock);
        else
            AwaitAddition(lock, std::nullopt);
    }
    return sent.result;
}

MessageQueue::Taken MessageQueue::Take(MSG& out, const MessageFilter& filter, bool wait, bool remove) {
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (!m_sent.empty()) {
            ServeOneSent(lock);
            continue;
        }
        auto posted = std::find_if(m_posted.begin(), m_posted.end(),
                                   [&filter](const MSG& msg) { return filter.Matches(msg); });
        if (posted != m_posted.end()) {
            out = *posted;
            if (remove)
                m_posted.erase(posted);
            return Taken::Message;
        }
        if (m_quit) {
            out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(m_quitCode), 0, 0};
            if (remove)
                m_quit = false;
            return Taken::Quit;
        }
        if (!wait)
            return Taken::Nothing;
        AwaitAddition(lock, std::nullopt);
    }
}

bool MessageQueue::WaitForInput(DWORD timeoutMs) {
    Deadline deadline;
    if (timeoutMs != INFINITE)
        deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock lock(m_mutex);
    while (!HasInput()) {
        if (!AwaitAddition(lock, deadline))
            return HasInput();
    }
    return true;
}

int MessageQueue::WaitForInputOrFds(const int* fds, int count, DWORD timeoutMs) {
    Deadline deadline;
    if (timeoutMs != INFINITE)
        deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    {
        std::lock_guard lock(m_mutex);
        if (m_wakeFd < 0)
            m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    }
    std::vector<pollfd> watched;
    watched.push_back({m_wakeFd, POLLIN, 0});
    for (int i = 0; i < count; ++i)
        watched.push_back({fds[i], POLLIN, 0});
    for (;;) {
        // Emptied before the queue is looked at: an addition after the look makes it readable again. An
        // addition that was seen already may still make it readable late; the look after poll finds
        // nothing then, and the wait goes on.
        std::uint64_t drained = 0;
        [[maybe_unused]] ssize_t n = ::read(m_wakeFd, &drained, sizeof drained);
        {
            std::unique_lock lock(m_mutex);
            if (HasInput())
                return -1;
            SpinForAddition(lock, deadline);
            if (HasInput())
                return -1;
            m_sleeper = Sleeper::OnFds;
        }
        int timeout = -1;
        if (deadline) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
            timeout = static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
        }
        const int ready = ::poll(watched.data(), watched.size(), timeout);
        {
            std::lock_guard lock(m_mutex);
            m_sleeper = Sleeper::None;
        }
        // A signal ends the wait as the time running out does.
        if (ready <= 0)
            return -2;
        for (int i = 0; i < count; ++i) {
            if (watched[static_cast<std::size_t>(i) + 1].revents != 0)
                return i;
        }
    }
}

void MessageQueue::Close() {
    std::unordered_set<HWND> windows;
    std::deque<std::shared_ptr<SentMessage>> orphans;
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
        windows.swap(m_windows);
        orphans.swap(m_sent);
        m_posted.clear();
        m_quit = false;
    }
    for (HWND hWnd : windows)
        WindowTable::Instance().Remove(hWnd);
    for (const std::shared_ptr<SentMessage>& sent : orphans)
        sent->sender->Reply(*sent, 0);
}

void MessageQueue::ServeOneSent(std::unique_lock<std::mutex>& lock) {
    std::shared_ptr<SentMessage> sent = std::move(m_sent.front());
    m_sent.pop_front();
    lock.unlock();
    bool senderWoken = false;
    {
        ReplyOnExit reply(*sent, senderWoken);
        reply.Set(sent->target->Call(sent->message, sent->wParam, sent->lParam));
    }
    m_longSpin = m_longSpin || senderWoken;
    lock.lock();
}

}  // namespace win
