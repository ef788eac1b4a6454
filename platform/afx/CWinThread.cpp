#include "platform/afx/CWinThread.h"

#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

// The threads whose procedure has not returned yet.
struct RunningThreads {
    std::mutex mutex;
    std::condition_variable ended;
    int count = 0;

    void add(int change) {
        const std::lock_guard lock(mutex);
        count += change;
        if (count == 0)
            ended.notify_all();
    }
};

// Never destroyed: a detached thread counts itself out after its procedure has returned, which may be while
// the process is already running its exit handlers.
RunningThreads& runningThreads() {
    static RunningThreads* const threads = new RunningThreads;
    return *threads;
}

}  // namespace

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_bAutoDelete(TRUE), m_nThreadID(0), m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() = default;

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int, UINT, DWORD, void*) {
    if (pfnThreadProc == nullptr)
        return nullptr;
    CWinThread* pThread = new (std::nothrow) CWinThread(pfnThreadProc, pParam);
    if (pThread == nullptr)
        return nullptr;
    // The new thread fills in its id before the caller gets the object. The promise moves into the thread,
    // so its shared state outlives the caller's wait however the two threads are scheduled.
    std::promise<void> running;
    std::future<void> started = running.get_future();
    runningThreads().add(1);
    try {
        std::thread([pThread, running = std::move(running)]() mutable {
            pThread->m_nThreadID = GetCurrentThreadId();
            running.set_value();
            pThread->m_pfnThreadProc(pThread->m_pThreadParams);
            if (pThread->m_bAutoDelete)
                delete pThread;
            runningThreads().add(-1);
        }).detach();
    } catch (const std::system_error&) {
        runningThreads().add(-1);
        delete pThread;
        return nullptr;
    } catch (const std::bad_alloc&) {
        runningThreads().add(-1);
        delete pThread;
        return nullptr;
    }
    started.wait();
    return pThread;
}

bool AfxWaitForThreadsToEnd(DWORD timeoutMs) {
    RunningThreads& threads = runningThreads();
    std::unique_lock lock(threads.mutex);
    return threads.ended.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&threads] { return threads.count == 0; });
}
