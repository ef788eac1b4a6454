#include "platform/afx/CWnd.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace {

// Objects over windows that have no object of their own, made when a caller asks for a CWnd* by handle.
// Each thread keeps its own, so no lock is needed and a thread's temporaries go when it ends.
class TempMap {
public:
    TempMap() = default;
    TempMap(const TempMap&) = delete;
    TempMap& operator=(const TempMap&) = delete;
    ~TempMap() { Clear(); }

    CWnd* Get(HWND hWnd) {
        auto it = m_objects.find(hWnd);
        if (it != m_objects.end())
            return it->second.get();
        DropDead();
        auto pWnd = std::make_unique<CWnd>();
        // Set directly, not attached: the permanent map stays the window's own object's, and the
        // temporary lets go of the handle before it is deleted so its window lives on.
        pWnd->m_hWnd = hWnd;
        return m_objects.emplace(hWnd, std::move(pWnd)).first->second.get();
    }

    void Clear() {
        for (auto& entry : m_objects)
            entry.second->m_hWnd = nullptr;
        m_objects.clear();
    }

private:
    // Handles are never reused, so a dead window's temporary can only take memory; it goes here.
    void DropDead() {
        std::erase_if(m_objects, [](auto& entry) {
            if (::IsWindow(entry.first))
                return false;
            entry.second->m_hWnd = nullptr;
            return true;
        });
    }

    std::unordered_map<HWND, std::unique_ptr<CWnd>> m_objects;
};

thread_local TempMap tempMap;

}  // namespace

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    return tempMap.Get(hWnd);
}

void CWnd::DeleteTempMap() { tempMap.Clear(); }

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }

BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }

void CWnd::SetWindowText(LPCWSTR lpszString) { ::SetWindowTextW(m_hWnd, lpszString); }

void CWnd::GetWindowText(CString& rString) const {
    const int size = ::GetWindowTextLengthW(m_hWnd) + 1;
    rString.ReleaseBuffer(::GetWindowTextW(m_hWnd, rString.GetBuffer(size), size));
}

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }

void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
