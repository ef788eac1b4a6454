#include "platform/win/MessageQueue.h"

#include "platform/win/WinBase.h"
#include "platform/win/WindowTable.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <chrono>
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

// Answers a sent message when it leaves scope, so its sender is released even if the procedure throws.
class ReplyOnExit {
public:
    explicit ReplyOnExit(SentMessage& sent) : m_sent(sent) {}
    ReplyOnExit(const ReplyOnExit&) = delete;
    ReplyOnExit& operator=(const ReplyOnExit&) = delete;
    ~ReplyOnExit() { m_sent.sender->Reply(m_sent, m_result); }

    void Set(LRESULT result) { m_result = result; }

private:
    SentMessage& m_sent;
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

void MessageQueue::Wake() {
    int wakeFd;
    {
        std::lock_guard lock(m_mutex);
        wakeFd = m_wakeFd;
    }
    m_wake.notify_all();
    if (wakeFd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(wakeFd, &one, sizeof one);
    }
}

const std::shared_ptr<MessageQueue>& MessageQueue::ForCurrentThread() {
    if (!threadQueue.queue)
        threadQueue.queue = std::make_shared<MessageQueue>(GetCurrentThreadId());
    return threadQueue.queue;
}

bool MessageQueue::Post(const MSG& msg) {
    {
        std::lock_guard lock(m_mutex);
        if (m_closed || (msg.hwnd != nullptr && !m_windows.contains(msg.hwnd)))
            return false;
        m_posted.push_back(msg);
    }
    Wake();
    return true;
}

bool MessageQueue::Deliver(std::shared_ptr<SentMessage> sent) {
    {
        std::lock_guard lock(m_mutex);
        if (!m_windows.contains(sent->target->handle))
            return false;
        m_sent.push_back(std::move(sent));
    }
    Wake();
    return true;
}

void MessageQueue::PostQuit(int exitCode) {
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_quitCode = exitCode;
    }
    Wake();
}

void MessageQueue::Reply(SentMessage& sent, LRESULT result) {
    {
        std::lock_guard lock(m_mutex);
        sent.result = result;
        sent.replied = true;
    }
    Wake();
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
    while (!sent.replied) {
        if (!m_sent.empty())
            ServeOneSent(lock);
        else
            m_wake.wait(lock);
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
        m_wake.wait(lock);
    }
}

bool MessageQueue::WaitForInput(DWORD timeoutMs) {
    std::unique_lock lock(m_mutex);
    if (timeoutMs == INFINITE) {
        m_wake.wait(lock, [this] { return HasInput(); });
        return true;
    }
    return m_wake.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return HasInput(); });
}

int MessageQueue::WaitForInputOrFds(const int* fds, int count, DWORD timeoutMs) {
    {
        std::lock_guard lock(m_mutex);
        if (m_wakeFd < 0)
            m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    }
    std::vector<pollfd> watched;
    watched.push_back({m_wakeFd, POLLIN, 0});
    for (int i = 0; i < count; ++i)
        watched.push_back({fds[i], POLLIN, 0});
    // Emptied before the queue is looked at: whatever is queued after the look makes it readable again.
    std::uint64_t drained = 0;
    [[maybe_unused]] ssize_t n = ::read(m_wakeFd, &drained, sizeof drained);
    {
        std::lock_guard lock(m_mutex);
        if (HasInput())
            return -1;
    }
    const int timeout = timeoutMs == INFINITE ? -1 : static_cast<int>(timeoutMs);
    int ready = ::poll(watched.data(), watched.size(), timeout);
    if (ready < 0 && errno == EINTR)
        ready = 0;
    if (ready <= 0)
        return -2;
    for (int i = 0; i < count; ++i) {
        if (watched[static_cast<std::size_t>(i) + 1].revents != 0)
            return i;
    }
    return -1;
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
    {
        ReplyOnExit reply(*sent);
        reply.Set(sent->target->Call(sent->message, sent->wParam, sent->lParam));
    }
    lock.lock();
}

}  // namespace win
