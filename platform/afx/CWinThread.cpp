#include "platform/afx/CWinThread.h"

#include <future>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

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
    try {
        std::thread([pThread, running = std::move(running)]() mutable {
            pThread->m_nThreadID = GetCurrentThreadId();
            running.set_value();
            pThread->m_pfnThreadProc(pThread->m_pThreadParams);
            if (pThread->m_bAutoDelete)
                delete pThread;
        }).detach();
    } catch (const std::system_error&) {
        delete pThread;
        return nullptr;
    } catch (const std::bad_alloc&) {
        delete pThread;
        return nullptr;
    }
    started.wait();
    return pThread;
}
