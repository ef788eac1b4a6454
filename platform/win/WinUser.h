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

// Sends WM_DESTROY and then WM_NCDESTROY to the procedure (its children die in between, see the window
// tree below), then kills the window: its queued messages are
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

// The window tree. A child window belongs to its parent's thread and dies with its parent; children are
// kept in creation order. Geometry counts terminal cells.

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT*;

struct SIZE {
    LONG cx;
    LONG cy;
};
using LPCRECT = const RECT*;

inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_ENABLE = 0x000A;
inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_GETTEXT = 0x000D;

inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MAXIMIZED = 2;

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOW = 5;

inline constexpr UINT GW_HWNDNEXT = 2;
inline constexpr UINT GW_CHILD = 5;

constexpr LPARAM MAKELPARAM(UINT_PTR low, UINT_PTR high) {
    return static_cast<LPARAM>((low & 0xFFFF) | ((high & 0xFFFF) << 16));
}

// Creates a child of `parent` owned by the calling thread, placed after its existing children, with an empty
// rectangle at the parent's origin, enabled and visible. Null when lpfnWndProc is null, or when the parent
// is not a live window of the calling thread or is being destroyed.
WINAPI_EXPORT HWND CreateChildWindow(HWND parent, UINT controlId, WNDPROC lpfnWndProc, void* userData);

// The parent of a live child; null for a top-level window and a dead handle.
WINAPI_EXPORT HWND GetParent(HWND hWnd);

// The first live child of hDlg with id nIDDlgItem (direct children only); null when none.
WINAPI_EXPORT HWND GetDlgItem(HWND hDlg, int nIDDlgItem);

// The id a child was created with; 0 for a top-level window and a dead handle.
WINAPI_EXPORT int GetDlgCtrlID(HWND hWnd);

// GW_CHILD: the first child; GW_HWNDNEXT: the next sibling in creation order (null for a top-level window).
// Null when there is none, for any other uCmd and for a dead handle.
WINAPI_EXPORT HWND GetWindow(HWND hWnd, UINT uCmd);

// Enables or disables the window; sends WM_ENABLE (wParam: the new state) only when that changes. Returns
// nonzero when the window was disabled before the call, 0 when it was enabled (or the handle is dead).
WINAPI_EXPORT BOOL EnableWindow(HWND hWnd, BOOL bEnable);

// Whether the window itself is enabled (a disabled parent does not change the answer); FALSE when dead.
WINAPI_EXPORT BOOL IsWindowEnabled(HWND hWnd);

// Stores the window's text (null: empty). No WM_SETTEXT goes to the procedure: the text is the window's.
// FALSE for a dead handle.
WINAPI_EXPORT BOOL SetWindowTextW(HWND hWnd, LPCWSTR lpString);

// Copies at most nMaxCount - 1 code units of the text and a terminating U+0000 into lpString; returns the
// number of units copied without the terminator. 0 for a dead handle, a null buffer or nMaxCount < 1.
WINAPI_EXPORT int GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount);

// The text's length in UTF-16 code units; 0 for a dead handle.
WINAPI_EXPORT int GetWindowTextLengthW(HWND hWnd);

// SW_HIDE hides the window, any other command shows it. Returns nonzero when it was visible before.
WINAPI_EXPORT BOOL ShowWindow(HWND hWnd, int nCmdShow);

// True when the window and every ancestor are shown.
WINAPI_EXPORT BOOL IsWindowVisible(HWND hWnd);

// Places the window at (X, Y) in its parent's client area with nWidth x nHeight cells (a negative size
// counts as 0). Sends WM_SIZE (SIZE_RESTORED, MAKELPARAM(width, height)) when the size changed. With
// bRepaint the window and its parent are marked for painting. FALSE for a dead handle.
WINAPI_EXPORT BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint);

// Gives a top-level window the whole screen its front end shows (a terminal), as maximizing it does: placed
// as MoveWindow places it, but WM_SIZE says SIZE_MAXIMIZED, so that the window can tell the screen's size
// from a size the user chose. The window is marked for painting.
WINAPI_EXPORT BOOL MaximizeWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight);

// The window's rectangle in its PARENT's client coordinates (not the screen's; there is no screen here);
// a top-level window's is as MoveWindow set it. FALSE for a dead handle or a null lpRect.
WINAPI_EXPORT BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);

// The client area: {0, 0, width, height} less a frame of one cell on each side when the window has a border
// or frame (WS_BORDER, WS_DLGFRAME, WS_THICKFRAME, WS_EX_CLIENTEDGE) and is at least 3 x 3 cells.
WINAPI_EXPORT BOOL GetClientRect(HWND hWnd, LPRECT lpRect);

// Marks the whole window for painting (lpRect and bErase are accepted and not needed: the painter redraws
// a dirty window whole). FALSE for a dead handle.
WINAPI_EXPORT BOOL InvalidateRect(HWND hWnd, LPCRECT lpRect, BOOL bErase);

// A window's scroll bars: SB_HORZ and SB_VERT each keep a position that the window sets as it scrolls and
// its painter reads (0 at creation). SetScrollPos returns the previous position; both answer 0 for a dead
// handle or another bar.
inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
WINAPI_EXPORT int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw);
WINAPI_EXPORT int GetScrollPos(HWND hWnd, int nBar);

// Painting is the host painter's: it draws dirty windows on its own pass, so this only checks the handle.
WINAPI_EXPORT BOOL UpdateWindow(HWND hWnd);

// Window classes, styles and the per-window longs. A class is a name and a procedure; the common controls
// register theirs ("Button", "Static", "Edit", "ComboBox", "SysListView32") and the dialog layer its
// "#32770". Class names compare ignoring ASCII case, as on Windows.

struct HMENU__;
using HMENU = HMENU__*;  // for a child window, CreateWindowExW takes the control id in this argument
using ATOM = WORD;

struct WNDCLASSW {
    UINT style;
    WNDPROC lpfnWndProc;
    LPCWSTR lpszClassName;
};

// What WM_CREATE's lParam points at.
struct CREATESTRUCTW {
    LPVOID lpCreateParams;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCWSTR lpszName;
    LPCWSTR lpszClass;
    DWORD dwExStyle;
};

inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_GETDLGCODE = 0x0087;

inline constexpr DWORD WS_OVERLAPPED = 0x00000000;
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_DISABLED = 0x08000000;
inline constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_DLGFRAME = 0x00400000;
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_HSCROLL = 0x00100000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_THICKFRAME = 0x00040000;
inline constexpr DWORD WS_GROUP = 0x00020000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;
inline constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;

inline constexpr DWORD WS_EX_STATICEDGE = 0x00020000;
inline constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;

inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;
inline constexpr int GWL_ID = -12;
inline constexpr int GWLP_WNDPROC = -4;
inline constexpr int GWLP_USERDATA = -21;

// Registers a class for the process; 0 when the name is taken, or the procedure or name is missing.
WINAPI_EXPORT ATOM RegisterClassW(const WNDCLASSW* lpWndClass);

// Creates a window of a registered class on the calling thread: a child of hWndParent with id hMenu when
// dwStyle has WS_CHILD, else a top-level window (hWndParent is then its owner and is not kept). The window
// gets the text, styles and rectangle (in cells) first, then WM_CREATE with a CREATESTRUCTW; a result of -1
// destroys it again. Null for an unknown class, a bad parent, or a refused WM_CREATE.
WINAPI_EXPORT HWND CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int X,
                                   int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                                   LPVOID lpParam);

// The class name given at creation ("" for windows made by CreateMessageWindow or CreateChildWindow);
// returns the number of units copied, as GetWindowTextW does.
WINAPI_EXPORT int GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount);

// GWL_STYLE, GWL_EXSTYLE and GWL_ID; 0 for anything else and for a dead handle. Setting a style marks the
// window for painting and returns the previous value.
WINAPI_EXPORT LONG GetWindowLongW(HWND hWnd, int nIndex);
WINAPI_EXPORT LONG SetWindowLongW(HWND hWnd, int nIndex, LONG dwNewLong);

// GWLP_USERDATA (a word for the window's owner, 0 at creation) and GWLP_WNDPROC (setting it subclasses
// the window: only the owner thread may do that). 0 for anything else and for a dead handle.
WINAPI_EXPORT LONG_PTR GetWindowLongPtrW(HWND hWnd, int nIndex);
WINAPI_EXPORT LONG_PTR SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong);

// Calls a procedure, as a subclass hands a message on to the one it replaced.
WINAPI_EXPORT LRESULT CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// The keyboard focus of the calling thread. SetFocus sends WM_KILLFOCUS (wParam: the new focus) to the old
// window and WM_SETFOCUS (wParam: the old focus) to the new one, and returns the old focus. A null hWnd
// takes the focus away; a dead window or another thread's window is refused with null.
WINAPI_EXPORT HWND SetFocus(HWND hWnd);
WINAPI_EXPORT HWND GetFocus();

// Dialogs: the class "#32770" and the dialog manager. Tab order is the children's creation order.

inline constexpr DWORD DS_FIXEDSYS = 0x0008;
inline constexpr DWORD DS_SETFONT = 0x0040;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

inline constexpr UINT DM_GETDEFID = WM_USER + 0;  // HIWORD: DC_HASDEFID, LOWORD: the default button's id
inline constexpr UINT DM_SETDEFID = WM_USER + 1;
inline constexpr WORD DC_HASDEFID = 0x534B;

// The default procedure of "#32770": WM_CLOSE becomes WM_COMMAND IDCANCEL, DM_GETDEFID answers the
// default push button, everything else is DefWindowProcW's.
WINAPI_EXPORT LRESULT DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam);

// Takes the keys a dialog handles for its controls, when lpMsg is a key message for hDlg or one of its
// children: Tab and Shift-Tab move the focus among WS_TABSTOP controls, arrows within a group of radio
// buttons, Alt+letter (WM_SYSCHAR, or WM_CHAR of a letter when the focus is not an edit box) goes to the
// control whose mnemonic it is (a static label hands it to the next control), Enter presses the default
// button and Esc the Cancel button, each only when enabled. A control that asks for a key through
// WM_GETDLGCODE keeps it. Returns TRUE when it took the message; FALSE when the caller should dispatch it.
WINAPI_EXPORT BOOL IsDialogMessageW(HWND hDlg, const MSG* lpMsg);

// The next (or previous) WM_TABSTOP control after hCtl among hDlg's enabled, visible children, wrapping.
WINAPI_EXPORT HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious);
