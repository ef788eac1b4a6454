#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/CCmdTarget.h"
#include "platform/afx/CString.h"
#include "platform/win/CommandMessages.h"
#include "platform/win/WinTypes.h"
#include "platform/win/WinUser.h"

// A thin C++ object over a window handle. The object and the window live apart: the object may outlive
// its window (m_hWnd then names a dead handle, which every call treats as dead) and the window dies with
// the object. Messages for a window made by CreateMessageOnly or CreateChild, or attached with Attach,
// reach the object's virtual WindowProc on the window's thread.
class AFX_API CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    // Destroys the window when it is still alive (and this is its thread), and forgets the handle.
    ~CWnd() override;

    HWND m_hWnd;
    // The procedure a subclassed window had; DefWindowProc hands messages on to it.
    WNDPROC m_pfnSuper;

    // m_hWnd, or null when called through a null pointer, as the framework allows.
    HWND GetSafeHwnd() const;

    // The object attached to hWnd, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Binds this object to a live window that has none; FALSE otherwise.
    BOOL Attach(HWND hWndNew);
    // Unbinds the window from this object and returns its handle; the window lives on.
    HWND Detach();

    // Creates a window without UI on the calling thread whose messages go to WindowProc. FALSE when this
    // object already has a window.
    BOOL CreateMessageOnly();

    // The object attached to hWnd, or else a temporary object for it; null for a null handle. A temporary
    // belongs to the calling thread and lives until DeleteTempMap runs on that thread or the thread ends;
    // the same handle gives the same temporary meanwhile. Deleting a temporary never destroys its window.
    static CWnd* FromHandle(HWND hWnd);
    // Deletes the calling thread's temporary objects; pointers to them dangle afterwards.
    static void DeleteTempMap();

    // Creates a child of pParentWnd's window with control id nID, on the calling thread (which must own the
    // parent); its messages go to this object's WindowProc. FALSE when this object already has a window or
    // the parent cannot take a child.
    BOOL CreateChild(CWnd* pParentWnd, UINT nID);

    // Makes a window of any class send its messages to this object's WindowProc; what the object does not
    // handle goes on to the window's own procedure (DefWindowProc). FALSE when this object already has a
    // window or hWnd is not a live window of this thread with no object.
    BOOL SubclassWindow(HWND hWnd);

    // Destroys the window (WM_DESTROY and WM_NCDESTROY reach WindowProc first) and clears m_hWnd.
    virtual BOOL DestroyWindow();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // The window tree and the window's state; the CWnd* results come from FromHandle.
    CWnd* GetDlgItem(int nID) const;
    CWnd* GetParent() const;
    int GetDlgCtrlID() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetWindowText(LPCWSTR lpszString);
    void GetWindowText(CString& rString) const;
    BOOL ShowWindow(int nCmdShow);
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    // In the parent's client coordinates, as ::GetWindowRect gives it.
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void Invalidate(BOOL bErase = TRUE);

    // Every message of the window comes here; the default runs it through the message map (OnWndMsg) and
    // hands what no entry handles to DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Runs the message through the map: WM_COMMAND through OnCommand, WM_NOTIFY through OnNotify, and any
    // message (these two as well, when their command entries do not handle them) to its ON_MESSAGE entry.
    // Stores the result and returns TRUE when an entry handled it. A handler may delete this object.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The command LOWORD(wParam) with notification code HIWORD(wParam) from the control lParam.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // The notification lParam (an NMHDR*) from control idFrom; the handler sets *pResult.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
};
