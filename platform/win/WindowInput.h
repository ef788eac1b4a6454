#pragma once

#include "platform/win/WinExport.h"
#include "platform/win/WinTypes.h"

// A user's keys and mouse as window messages. A front end (terminal or headless) posts them to the window
// they are meant for: keys to the focus window, mouse messages to the window under the pointer, with the
// point in that window's client cells. The dialog's modal loop sees them first (Tab, Enter, Esc, mnemonics)
// and dispatches the rest to the control.

inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_CHAR = 0x0102;        // wParam: one UTF-16 code unit of typed text
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;  // a key pressed with Alt
inline constexpr UINT WM_SYSCHAR = 0x0106;     // Alt+character: a mnemonic
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;  // HIWORD(wParam): signed distance, WHEEL_DELTA per notch
inline constexpr UINT WM_MOUSEHWHEEL = 0x020E;  // sideways, as WM_MOUSEWHEEL; positive to the right

inline constexpr int WHEEL_DELTA = 120;

// lParam of a mouse message: x in the low word, y in the high word, each signed.
constexpr int GET_X_LPARAM(LPARAM lParam) { return static_cast<short>(lParam & 0xFFFF); }
constexpr int GET_Y_LPARAM(LPARAM lParam) { return static_cast<short>((lParam >> 16) & 0xFFFF); }

inline constexpr WORD VK_BACK = 0x08;
inline constexpr WORD VK_TAB = 0x09;
inline constexpr WORD VK_RETURN = 0x0D;
inline constexpr WORD VK_SHIFT = 0x10;
inline constexpr WORD VK_CONTROL = 0x11;
inline constexpr WORD VK_MENU = 0x12;  // Alt
inline constexpr WORD VK_ESCAPE = 0x1B;
inline constexpr WORD VK_SPACE = 0x20;
inline constexpr WORD VK_PRIOR = 0x21;  // PageUp
inline constexpr WORD VK_NEXT = 0x22;   // PageDown
inline constexpr WORD VK_END = 0x23;
inline constexpr WORD VK_HOME = 0x24;
inline constexpr WORD VK_LEFT = 0x25;
inline constexpr WORD VK_UP = 0x26;
inline constexpr WORD VK_RIGHT = 0x27;
inline constexpr WORD VK_DOWN = 0x28;
inline constexpr WORD VK_DELETE = 0x2E;
inline constexpr WORD VK_F1 = 0x70;
inline constexpr WORD VK_F4 = 0x73;
inline constexpr WORD VK_F6 = 0x75;
inline constexpr WORD VK_F7 = 0x76;

// WM_GETDLGCODE answers: which keys a control wants for itself instead of the dialog.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
inline constexpr LRESULT DLGC_HASSETSEL = 0x0008;
inline constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
inline constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
inline constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;
inline constexpr LRESULT DLGC_STATIC = 0x0100;
inline constexpr LRESULT DLGC_BUTTON = 0x2000;

// The state of Shift, Ctrl and Alt for the key being handled on the calling thread: negative when held.
// The front end sets them before it posts a key (SetKeyModifiers) and they stay until it sets them again.
WINAPI_EXPORT short GetKeyState(int nVirtKey);
WINAPI_EXPORT void SetKeyModifiers(bool shift, bool control, bool alt);
