#include "platform/afx/CWnd.h"

#include <atomic>
#include <mutex>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

namespace {

// Which object each attached window belongs to, for every thread: a window's messages may be run on its
// thread while another thread asks FromHandlePermanent.
class PermanentMap {
public:
    static PermanentMap& Instance() {
        // Never destroyed: objects of threads still running at exit may detach after static destructors ran.
        static PermanentMap* const map = new PermanentMap;
        return *map;
    }

    CWnd* Find(HWND hWnd) {
        std::lock_guard lock(m_mutex);
        auto it = m_objects.find(hWnd);
        return it == m_objects.end() ? nullptr : it->second;
    }

    bool Add(HWND hWnd, CWnd* pWnd) {
        std::lock_guard lock(m_mutex);
        return m_objects.emplace(hWnd, pWnd).second;
    }

    void Remove(HWND hWnd, const CWnd* pWnd) {
        std::lock_guard lock(m_mutex);
        auto it = m_objects.find(hWnd);
        if (it != m_objects.end() && it->second == pWnd)
            m_objects.erase(it);
    }

private:
    std::mutex m_mutex;
    std::unordered_map<HWND, CWnd*> m_objects;
};

// The procedure of windows made by CreateMessageOnly: the message goes to the attached object, found anew
// for every message because the object may be deleted while its window lives on.
LRESULT ObjectWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    // The last message a window gets: the object lets go of the handle. WindowProc may have deleted the
    // object, so it is looked up again rather than used.
    if (message == WM_NCDESTROY) {
        if (CWnd* pStill = CWnd::FromHandlePermanent(hWnd))
            pStill->Detach();
    }
    return result;
}

}  // namespace

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr) {}

CWnd::~CWnd() {
    if (m_hWnd == nullptr)
        return;
    ::DestroyWindow(m_hWnd);
    Detach();
}

// Built with -fno-delete-null-pointer-checks (see CMakeLists.txt): otherwise the compiler may assume that
// `this` is never null and drop the test.
// The handle is read and cleared atomically: a worker asks its dialog's handle to report to it (and checks
// it with IsWindow, which any thread may call) while the dialog's thread may be detaching it.
HWND CWnd::GetSafeHwnd() const {
    return this == nullptr ? nullptr : std::atomic_ref(const_cast<HWND&>(m_hWnd)).load(std::memory_order_acquire);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return hWnd == nullptr ? nullptr : PermanentMap::Instance().Find(hWnd); }

BOOL CWnd::Attach(HWND hWndNew) {
    if (hWndNew == nullptr || m_hWnd != nullptr || !::IsWindow(hWndNew))
        return FALSE;
    if (!PermanentMap::Instance().Add(hWndNew, this))
        return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr) {
        PermanentMap::Instance().Remove(hWnd, this);
        std::atomic_ref(m_hWnd).store(nullptr, std::memory_order_release);
    }
    m_pfnSuper = nullptr;
    return hWnd;
}

BOOL CWnd::CreateMessageOnly() {
    if (m_hWnd != nullptr)
        return FALSE;
    HWND hWnd = ::CreateMessageWindow(&ObjectWindowProc, nullptr);
    if (hWnd == nullptr)
        return FALSE;
    if (!Attach(hWnd)) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd))
        return FALSE;
    const LONG_PTR previous = ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ObjectWindowProc));
    if (previous == 0) {
        Detach();
        return FALSE;
    }
    m_pfnSuper = reinterpret_cast<WNDPROC>(previous);
    return TRUE;
}

BOOL CWnd::CreateChild(CWnd* pParentWnd, UINT nID) {
    if (m_hWnd != nullptr)
        return FALSE;
    HWND hParent = pParentWnd == nullptr ? nullptr : pParentWnd->m_hWnd;
    HWND hWnd = ::CreateChildWindow(hParent, nID, &ObjectWindowProc, nullptr);
    if (hWnd == nullptr)
        return FALSE;
    if (!Attach(hWnd)) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr)
        return FALSE;
    BOOL destroyed = ::DestroyWindow(hWnd);
    // A window attached with another procedure, or one whose thread already ended, still holds the object;
    // this object may be gone by now (deleted by its own WindowProc), so the map answers, not m_hWnd.
    if (!::IsWindow(hWnd)) {
        if (CWnd* pStill = FromHandlePermanent(hWnd))
            pStill->Detach();
    }
    return destroyed;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

// Touches no member after a handler ran: the handler may have deleted this object.
BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT lResult = 0;
    BOOL handled = FALSE;
    if (message == WM_COMMAND) {
        handled = OnCommand(wParam, lParam);
        lResult = handled;
    } else if (message == WM_NOTIFY) {
        handled = OnNotify(wParam, lParam, &lResult);
    }
    if (!handled) {
        const AFX_MSGMAP_ENTRY* pEntry = afx::FindMessageEntry(GetMessageMap(), message, 0, 0, AfxSig_lwl);
        if (pEntry == nullptr)
            return FALSE;
        const auto pfn = afx::HandlerAs<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(pEntry->pfn);
        lResult = (this->*pfn)(wParam, lParam);
    }
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) { return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr); }

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR == nullptr)
        return FALSE;
    AFX_NOTIFY notify{pResult, pNMHDR};
    return OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, nullptr);
}
