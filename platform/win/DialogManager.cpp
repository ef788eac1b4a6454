#include "platform/win/CommandMessages.h"
#include "platform/win/WinControls.h"
#include "platform/win/WinUser.h"
#include "platform/win/WindowInput.h"

#include <algorithm>
#include <string>
#include <vector>

// The dialog manager: the default dialog procedure and the keyboard interface of a dialog's controls. It
// reads the controls only through window functions and messages, as any dialog's keyboard handling does.

namespace {

std::vector<HWND> Children(HWND hDlg) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(hDlg, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

DWORD Style(HWND hWnd) { return static_cast<DWORD>(GetWindowLongW(hWnd, GWL_STYLE)); }

bool IsButtonClass(HWND hWnd) {
    WCHAR name[16];
    GetClassNameW(hWnd, name, 16);
    std::u16string lower(name);
    for (char16_t& c : lower)
        c = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    return lower == u"button";
}

bool CanTakeFocus(HWND hWnd) { return IsWindowVisible(hWnd) && IsWindowEnabled(hWnd); }

// Whether hCtl is hDlg itself or lies below it.
bool BelongsTo(HWND hDlg, HWND hCtl) {
    for (HWND hWnd = hCtl; hWnd != nullptr; hWnd = GetParent(hWnd)) {
        if (hWnd == hDlg)
            return true;
    }
    return false;
}

HWND DefaultButton(HWND hDlg) {
    for (HWND child : Children(hDlg)) {
        if (IsButtonClass(child) && (Style(child) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return child;
    }
    return nullptr;
}

void SendClicked(HWND hDlg, int id, HWND hCtl) {
    SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(static_cast<UINT>(id), BN_CLICKED), reinterpret_cast<LPARAM>(hCtl));
}

// Enter: the focused push button, else the default button; nothing when that button is disabled.
void PressEnter(HWND hDlg, HWND hFocus, LRESULT focusCode) {
    if (hFocus != nullptr && (focusCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0) {
        if (IsWindowEnabled(hFocus))
            SendClicked(hDlg, GetDlgCtrlID(hFocus), hFocus);
        return;
    }
    const LRESULT defId = SendMessageW(hDlg, DM_GETDEFID, 0, 0);
    const int id = HIWORD(static_cast<UINT_PTR>(defId)) == DC_HASDEFID ? LOWORD(static_cast<UINT_PTR>(defId)) : IDOK;
    HWND hButton = GetDlgItem(hDlg, id);
    if (hButton == nullptr || IsWindowEnabled(hButton))
        SendClicked(hDlg, id, hButton);
}

void PressEscape(HWND hDlg) {
    HWND hCancel = GetDlgItem(hDlg, IDCANCEL);
    if (hCancel == nullptr || IsWindowEnabled(hCancel))
        SendClicked(hDlg, IDCANCEL, hCancel);
}

// The controls of hCtl's group: from the nearest WS_GROUP control at or before it up to the next one.
std::vector<HWND> GroupOf(HWND hDlg, HWND hCtl) {
    const std::vector<HWND> children = Children(hDlg);
    auto at = std::find(children.begin(), children.end(), hCtl);
    if (at == children.end())
        return {};
    auto first = at;
    while (first != children.begin() && (Style(*first) & WS_GROUP) == 0)
        --first;
    auto last = at + 1;
    while (last != children.end() && (Style(*last) & WS_GROUP) == 0)
        ++last;
    return {first, last};
}

// Arrows move among the group's controls, wrapping; a radio button reached this way is clicked, as on Windows.
void MoveInGroup(HWND hDlg, HWND hFocus, bool backwards) {
    std::vector<HWND> group = GroupOf(hDlg, hFocus);
    if (group.size() < 2)
        return;
    if (backwards)
        std::reverse(group.begin(), group.end());
    auto at = std::find(group.begin(), group.end(), hFocus);
    for (std::size_t step = 1; step < group.size(); ++step) {
        HWND candidate = group[static_cast<std::size_t>((at - group.begin() + step) % group.size())];
        if (!CanTakeFocus(candidate))
            continue;
        SetFocus(candidate);
        if ((SendMessageW(candidate, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0)
            SendMessageW(candidate, BM_CLICK, 0, 0);
        return;
    }
}

// The character that follows a single '&' in text, upper-cased for ASCII; 0 when there is none.
char16_t Mnemonic(const std::u16string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        const char16_t c = text[i + 1];
        return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
    }
    return 0;
}

std::u16string TextOf(HWND hWnd) {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(hWnd)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Alt+letter: the control after the focus (wrapping) whose caption has that mnemonic. A label hands it to the
// next control that can take the focus; a button is clicked, as its mnemonic means.
bool RunMnemonic(HWND hDlg, HWND hFocus, char16_t key) {
    const char16_t wanted = (key >= u'a' && key <= u'z') ? static_cast<char16_t>(key - 32) : key;
    const std::vector<HWND> children = Children(hDlg);
    if (children.empty())
        return false;
    auto at = std::find(children.begin(), children.end(), hFocus);
    const std::size_t start = at == children.end() ? 0 : static_cast<std::size_t>(at - children.begin()) + 1;
    for (std::size_t step = 0; step < children.size(); ++step) {
        const std::size_t index = (start + step) % children.size();
        HWND candidate = children[index];
        if (!IsWindowVisible(candidate) || Mnemonic(TextOf(candidate)) != wanted)
            continue;
        const LRESULT code = SendMessageW(candidate, WM_GETDLGCODE, 0, 0);
        if ((code & DLGC_STATIC) != 0) {
            for (std::size_t next = index + 1; next < children.size(); ++next) {
                const LRESULT nextCode = SendMessageW(children[next], WM_GETDLGCODE, 0, 0);
                if ((nextCode & DLGC_STATIC) != 0)
                    continue;
                if (CanTakeFocus(children[next]))
                    SetFocus(children[next]);
                break;
            }
            return true;
        }
        if (!IsWindowEnabled(candidate))
            return true;
        SetFocus(candidate);
        if ((code & DLGC_BUTTON) != 0)
            SendMessageW(candidate, BM_CLICK, 0, 0);
        return true;
    }
    return false;
}

LRESULT DialogProcedure(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return DefDlgProcW(hDlg, Msg, wParam, lParam);
}

// "#32770" is there from the moment the library is loaded, as the system's dialog class is.
const bool dialogClassRegistered = [] {
    const WNDCLASSW dialogClass{0, &DialogProcedure, u"#32770"};
    return RegisterClassW(&dialogClass) != 0;
}();

}  // namespace

LRESULT DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
    switch (Msg) {
    case WM_CLOSE:
        // Closing always means Cancel, even while the Cancel button is disabled: the window's owner asked.
        PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
        return 0;
    case DM_GETDEFID: {
        HWND hDefault = DefaultButton(hDlg);
        return hDefault == nullptr ? 0 : MAKELONG(static_cast<UINT>(GetDlgCtrlID(hDefault)), DC_HASDEFID);
    }
    case DM_SETDEFID: {
        if (HWND hOld = DefaultButton(hDlg))
            SendMessageW(hOld, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        if (HWND hNew = GetDlgItem(hDlg, static_cast<int>(wParam)); hNew != nullptr && IsButtonClass(hNew))
            SendMessageW(hNew, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        return TRUE;
    }
    default:
        return DefWindowProcW(hDlg, Msg, wParam, lParam);
    }
}

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    std::vector<HWND> children = Children(hDlg);
    if (bPrevious)
        std::reverse(children.begin(), children.end());
    auto at = std::find(children.begin(), children.end(), hCtl);
    const std::size_t start = at == children.end() ? 0 : static_cast<std::size_t>(at - children.begin()) + 1;
    for (std::size_t step = 0; step < children.size(); ++step) {
        HWND candidate = children[(start + step) % children.size()];
        if ((Style(candidate) & WS_TABSTOP) != 0 && CanTakeFocus(candidate))
            return candidate;
    }
    return hCtl;
}

BOOL IsDialogMessageW(HWND hDlg, const MSG* lpMsg) {
    if (lpMsg == nullptr || !IsWindow(hDlg) || !BelongsTo(hDlg, lpMsg->hwnd))
        return FALSE;
    const UINT message = lpMsg->message;
    if (message != WM_KEYDOWN && message != WM_CHAR && message != WM_SYSCHAR)
        return FALSE;
    HWND hFocus = lpMsg->hwnd == hDlg ? nullptr : lpMsg->hwnd;
    const LRESULT code = hFocus == nullptr
                             ? 0
                             : SendMessageW(hFocus, WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg));
    if (message == WM_SYSCHAR) {
        RunMnemonic(hDlg, hFocus, static_cast<char16_t>(lpMsg->wParam));
        return TRUE;
    }
    if (message == WM_CHAR) {
        const auto c = static_cast<char16_t>(lpMsg->wParam);
        const bool letterOrDigit = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
        if ((code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) != 0 || !letterOrDigit)
            return FALSE;
        return RunMnemonic(hDlg, hFocus, c) ? TRUE : FALSE;
    }
    if ((code & DLGC_WANTALLKEYS) != 0)
        return FALSE;
    switch (lpMsg->wParam) {
    case VK_TAB:
        if ((code & DLGC_WANTTAB) != 0)
            return FALSE;
        if (HWND hNext = GetNextDlgTabItem(hDlg, hFocus, GetKeyState(VK_SHIFT) < 0); hNext != nullptr) {
            SetFocus(hNext);
            if ((SendMessageW(hNext, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0)
                SendMessageW(hNext, EM_SETSEL, 0, -1);
        }
        return TRUE;
    case VK_RETURN:
        PressEnter(hDlg, hFocus, code);
        return TRUE;
    case VK_ESCAPE:
        PressEscape(hDlg);
        return TRUE;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if ((code & DLGC_WANTARROWS) != 0 || hFocus == nullptr)
            return FALSE;
        MoveInGroup(hDlg, hFocus, lpMsg->wParam == VK_LEFT || lpMsg->wParam == VK_UP);
        return TRUE;
    default:
        return FALSE;
    }
}
