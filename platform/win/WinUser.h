#pragma once

#include "platform/win/WinBase.h"
#include "platform/win/WinExport.h"
#include "platform/win/WinTypes.h"

// Windows without UI and the messages between them. Every thread that creates a window (or sends to
// another thread's window) has a message queue, made the first time it is needed. A window belongs to the
// thread that created it: its procedure runs on that thread only. When the thread ends its windows die,
// with no further message (no WM_DESTROY: the thread that would run it is gone).
// Handles come from a process-wide counter and are never reused, so a stale handle stays dead for good.

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;  // milliseconds on a steady clock when the message was posted
};
using LPMSG = MSG*;

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_NCDESTROY = 0x0082;
inline constexpr UINT WM_USER = 0x0400;

inline constexpr UINT PM_NOREMOVE = 0x0000;
inline constexpr UINT PM_REMOVE = 0x0001;

// Creates a window without UI owned by the calling thread; userData is kept for GetWindowUserData.
// Returns null when lpfnWndProc is null.
WINAPI_EXPORT HWND CreateMessageWindow(WNDPROC lpfnWndProc, void* userData);

// The userData given at creation; null for a handle that is not a live window. Any thread may ask.
WINAPI_EXPORT void* GetWindowUserData(HWND hWnd);

// Sends WM_DESTROY and then WM_NCDESTROY to the procedure, then kills the window: its queued messages are
// dropped and threads waiting in SendMessageW on it get 0. Only the owner thread may destroy a window;
// anywhere else, and for a dead handle, returns FALSE.
WINAPI_EXPORT BOOL DestroyWindow(HWND hWnd);

// True while hWnd names a live window. Thread-safe.
WINAPI_EXPORT BOOL IsWindow(HWND hWnd);

// The owner thread's id (0 for a dead handle); stores the process id when lpdwProcessId is not null.
WINAPI_EXPORT DWORD GetWindowThreadProcessId(HWND hWnd, DWORD* lpdwProcessId);

// Queues the message to the window's thread and returns at once; FALSE when hWnd is dead. A null hWnd posts
// to the calling thread's own queue, where GetMessageW returns it with a null hwnd.
WINAPI_EXPORT BOOL PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// Runs the window's procedure and returns its result. On the owner thread this is a direct call. From
// another thread the message is queued as a sent message and the caller blocks until the owner has run it;
// meanwhile the caller keeps running messages sent to its own windows, so two threads sending to each other
// cannot deadlock. Returns 0 for a dead window, and when the window dies (destroyed, or its thread ended)
// before its owner ran the message.
WINAPI_EXPORT LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// Waits for a posted message for hWnd (null: any window of the thread, and messages posted with a null
// hwnd) whose number lies in wMsgFilterMin..wMsgFilterMax (both 0: every number), running sent messages
// as they come. Returns FALSE when it takes WM_QUIT, -1 when lpMsg is null or hWnd is not a live window
// of this thread, TRUE otherwise. WM_QUIT passes every filter and comes after the posted messages that match.
WINAPI_EXPORT BOOL GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);

// GetMessageW without waiting: runs the sent messages that are queued, then returns TRUE with the first
// matching posted message (or WM_QUIT), removed from the queue when wRemoveMsg has PM_REMOVE, or FALSE
// when there is none.
WINAPI_EXPORT BOOL PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);

// Calls the procedure of lpMsg->hwnd with the message and returns its result; 0 when the window is dead,
// belongs to another thread or lpMsg->hwnd is null.
WINAPI_EXPORT LRESULT DispatchMessageW(const MSG* lpMsg);

// Asks the calling thread's message loop to end: GetMessageW returns FALSE with WM_QUIT and the exit code
// in wParam once no posted message is left.
WINAPI_EXPORT void PostQuitMessage(int nExitCode);

// Blocks until the calling thread's queue holds a sent or posted message or WM_QUIT (WAIT_OBJECT_0), or
// until dwMilliseconds have passed (WAIT_TIMEOUT; INFINITE never times out). Runs nothing: the caller
// then takes the messages with PeekMessageW or GetMessageW.
WINAPI_EXPORT DWORD MsgWaitForMessages(DWORD dwMilliseconds);

// What a window does with a message its procedure does not handle: WM_CLOSE destroys the window;
// everything else is ignored with 0.
WINAPI_EXPORT LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
