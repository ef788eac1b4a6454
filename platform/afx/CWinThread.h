#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/CCmdTarget.h"
#include "platform/win/WinBase.h"
#include "platform/win/WinTypes.h"

using AFX_THREADPROC = UINT (*)(LPVOID);

// A thread started by AfxBeginThread. With m_bAutoDelete set (the default) the object deletes itself when
// the thread procedure returns, so a caller may keep the pointer only as a mark, never dereference it later.
// When the thread ends, every window it owns dies.
class AFX_API CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    BOOL m_bAutoDelete;
    DWORD m_nThreadID;  // the thread's GetCurrentThreadId, set before AfxBeginThread returns

    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;
};

// Starts a thread running pfnThreadProc(pParam) and returns its object once the thread runs, or null when
// no thread could be started. Priority, stack size, creation flags and security attributes are accepted for
// the framework's callers and not used: threads start at once with the system's defaults.
AFX_API CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = 0,
                                   UINT nStackSize = 0, DWORD dwCreateFlags = 0, void* lpSecurityAttrs = nullptr);

// Host side: waits until every thread AfxBeginThread started has returned from its procedure, at most
// `timeoutMs`; true when none runs. For a host that ends a dialog as soon as its work is done, before the
// dialog's own end waits for its worker by polling.
AFX_API bool AfxWaitForThreadsToEnd(DWORD timeoutMs);
