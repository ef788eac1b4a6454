#pragma once
#include "contracts/host/CUrlEngineer.h"
#include "platform/win/WinUser.h"

// The messages of a check run, sent by the worker to the dialog (all blocking sends) and posted by the
// dialog to itself. The checker's own four (0x701 to 0x704) are declared with CUrlEngineer.
constexpr UINT WM_LINK_CHECKING = WM_USER + 0x201;   // 0x601: wParam the item's index; a request starts
constexpr UINT WM_LINK_RESULT = WM_USER + 0x202;     // 0x602: wParam the index, lParam the status (0: no answer)
constexpr UINT WM_CHECK_FINISHED = WM_USER + 0x204;  // 0x604: the run ended
constexpr UINT WM_START_CHECK = WM_USER + 0x20D;     // 0x60D: posted once after initialisation (auto start)
