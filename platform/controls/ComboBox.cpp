#include "platform/win/WinControls.h"
#include "platform/controls/ComboList.h"
#include "platform/controls/ControlWindow.h"

#include "platform/win/CommandMessages.h"
#include "platform/win/WinControls.h"
#include "platform/win/WindowInput.h"

#include <algorithm>
#include <memory>
#include <string>

// "ComboBox": a drop-down list (CBS_DROPDOWNLIST, with CBS_SORT for a sorted one). Line 0 of the window is
// the closed box; the dropped list takes the lines below it, as many as the window rect has. The window
// text is the selected item's. CBN_SELCHANGE goes to the parent only when the user changed the selection;
// CB_SHOWDROPDOWN, like the user, opens and closes the list with CBN_DROPDOWN and CBN_CLOSEUP.

namespace {

using controls::ComboList;

ComboList* ListOf(HWND hWnd) { return controls::StateOf<ComboList>(hWnd); }

// The lines of the dropped list: the window's height without the closed box, at least one.
int ListLines(HWND hWnd) {
    RECT rect{};
    GetWindowRect(hWnd, &rect);
    return std::max<int>(rect.bottom - rect.top - 1, 1);
}

void ShowSelectionText(HWND hWnd, const ComboList& list) {
    const std::u16string* item = list.Item(list.Selection());
    const std::u16string text = item != nullptr ? *item : std::u16string();
    if (controls::WindowText(hWnd) != text)
        SetWindowTextW(hWnd, text.c_str());
}

// After any change of the items or the selection.
void Changed(HWND hWnd, ComboList& list) {
    list.ClampTop(ListLines(hWnd));
    ShowSelectionText(hWnd, list);
    InvalidateRect(hWnd, nullptr, TRUE);
}

// The parent hears CBN_DROPDOWN before the list shows, so it may still fill it.
void Drop(HWND hWnd) {
    ComboList* list = ListOf(hWnd);
    if (list == nullptr || list->Dropped() || !controls::NotifyParent(hWnd, CBN_DROPDOWN))
        return;
    if ((list = ListOf(hWnd)) == nullptr)
        return;
    list->SetDropped(true);
    list->ScrollToSelection(ListLines(hWnd));
    InvalidateRect(hWnd, nullptr, TRUE);
}

void CloseUp(HWND hWnd) {
    ComboList* list = ListOf(hWnd);
    if (list == nullptr || !list->Dropped())
        return;
    list->SetDropped(false);
    InvalidateRect(hWnd, nullptr, TRUE);
    controls::NotifyParent(hWnd, CBN_CLOSEUP);
}

void ToggleDrop(HWND hWnd) {
    ComboList* list = ListOf(hWnd);
    if (list != nullptr && list->Dropped())
        CloseUp(hWnd);
    else
        Drop(hWnd);
}

// A user's choice: returns whether the box is still alive after its parent heard of it.
bool UserSelect(HWND hWnd, int index) {
    ComboList* list = ListOf(hWnd);
    if (list == nullptr || index < 0 || !list->Select(index))
        return true;
    if (list->Dropped())
        list->ScrollToSelection(ListLines(hWnd));
    Changed(hWnd, *list);
    return controls::NotifyParent(hWnd, CBN_SELCHANGE);
}

// The item a selection key leads to from the current selection; -1 for an empty list or another key.
int KeyTarget(const ComboList& list, WPARAM key, int page) {
    const int last = list.Count() - 1;
    const int selection = list.Selection();
    if (last < 0)
        return -1;
    switch (key) {
    case VK_UP:
        return std::max(selection - 1, 0);
    case VK_DOWN:
        return std::min(selection + 1, last);
    case VK_PRIOR:
        return std::max(selection - page, 0);
    case VK_NEXT:
        return selection < 0 ? 0 : std::min(selection + page, last);
    case VK_HOME:
        return 0;
    case VK_END:
        return last;
    default:
        return -1;
    }
}

void KeyDown(HWND hWnd, WPARAM key) {
    ComboList* list = ListOf(hWnd);
    if (list == nullptr)
        return;
    if (key == VK_F4) {
        ToggleDrop(hWnd);
    } else if (key == VK_RETURN || key == VK_ESCAPE) {
        CloseUp(hWnd);
    } else {
        // A page is the dropped list's height less one line, so one item stays in view across the move.
        UserSelect(hWnd, KeyTarget(*list, key, std::max(ListLines(hWnd) - 1, 1)));
    }
}

void MouseDown(HWND hWnd, LPARAM point) {
    const int line = GET_Y_LPARAM(point);
    ComboList* list = ListOf(hWnd);
    // Below the closed box there is only the dropped list: a closed box is not there.
    if (list == nullptr || (line != 0 && !list->Dropped()))
        return;
    SetFocus(hWnd);
    if (line == 0) {
        ToggleDrop(hWnd);
        return;
    }
    if ((list = ListOf(hWnd)) == nullptr || !list->Dropped() || line < 1 || line > ListLines(hWnd))
        return;
    const int index = list->Top() + line - 1;
    if (list->Item(index) == nullptr)
        return;
    if (UserSelect(hWnd, index))
        CloseUp(hWnd);
}

void TypeInitial(HWND hWnd, char16_t c) {
    if (ComboList* list = ListOf(hWnd); list != nullptr && c >= 0x20 && c != 0x7F)
        UserSelect(hWnd, list->FindByInitial(c));
}

LRESULT DialogCode(HWND hWnd) {
    const ComboList* list = ListOf(hWnd);
    const LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    return list != nullptr && list->Dropped() ? code | DLGC_WANTALLKEYS : code;
}

int ToIndex(WPARAM wParam) { return static_cast<int>(static_cast<INT_PTR>(wParam)); }

std::u16string ItemText(LPARAM lParam) {
    const auto* text = reinterpret_cast<LPCWSTR>(lParam);
    return text != nullptr ? std::u16string(text) : std::u16string();
}

// The messages a program sends: they change the box without a notification (CB_SHOWDROPDOWN aside).
LRESULT ListMessage(HWND hWnd, ComboList& list, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case CB_ADDSTRING: {
        const int index = list.Add(ItemText(lParam));
        Changed(hWnd, list);
        return index;
    }
    case CB_INSERTSTRING: {
        const int index = list.Insert(ToIndex(wParam), ItemText(lParam));
        Changed(hWnd, list);
        return index < 0 ? CB_ERR : index;
    }
    case CB_DELETESTRING: {
        const int left = list.Delete(ToIndex(wParam));
        Changed(hWnd, list);
        return left < 0 ? CB_ERR : left;
    }
    case CB_RESETCONTENT:
        list.Reset();
        Changed(hWnd, list);
        return 0;
    case CB_GETCOUNT:
        return list.Count();
    case CB_GETCURSEL:
        return list.Selection() < 0 ? CB_ERR : list.Selection();
    case CB_SETCURSEL:
        list.Select(ToIndex(wParam));
        if (list.Dropped())
            list.ScrollToSelection(ListLines(hWnd));
        Changed(hWnd, list);
        return list.Selection() < 0 ? CB_ERR : list.Selection();
    case CB_GETLBTEXT: {
        const std::u16string* item = list.Item(ToIndex(wParam));
        auto* buffer = reinterpret_cast<LPWSTR>(lParam);
        if (item == nullptr || buffer == nullptr)
            return CB_ERR;
        std::copy(item->begin(), item->end(), buffer);
        buffer[item->size()] = u'\0';
        return static_cast<LRESULT>(item->size());
    }
    case CB_GETLBTEXTLEN: {
        const std::u16string* item = list.Item(ToIndex(wParam));
        return item == nullptr ? CB_ERR : static_cast<LRESULT>(item->size());
    }
    case CB_SHOWDROPDOWN:
        if (wParam != FALSE)
            Drop(hWnd);
        else
            CloseUp(hWnd);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return list.Dropped() ? TRUE : FALSE;
    case CB_GETTOPINDEX:
        return list.Top();
    default:
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
}

LRESULT ComboBoxProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        const auto style = static_cast<DWORD>(GetWindowLongW(hWnd, GWL_STYLE));
        controls::AttachState(hWnd, std::make_unique<ComboList>((style & CBS_SORT) != 0));
        SetWindowTextW(hWnd, u"");
        return 0;
    }
    case WM_NCDESTROY:
        controls::FreeState<ComboList>(hWnd);
        break;
    case WM_GETDLGCODE:
        return DialogCode(hWnd);
    case WM_KEYDOWN:
        if (IsWindowEnabled(hWnd))
            KeyDown(hWnd, wParam);
        return 0;
    case WM_SYSKEYDOWN:
        // Alt+Down opens and closes the list, and Alt+Up as well, as on Windows.
        if (wParam != VK_DOWN && wParam != VK_UP)
            break;
        if (IsWindowEnabled(hWnd))
            ToggleDrop(hWnd);
        return 0;
    case WM_CHAR:
        if (IsWindowEnabled(hWnd))
            TypeInitial(hWnd, static_cast<char16_t>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (IsWindowEnabled(hWnd))
            MouseDown(hWnd, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        if (ComboList* list = ListOf(hWnd); list != nullptr && list->Dropped() && IsWindowEnabled(hWnd)) {
            const int notches = static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA;
            list->Scroll(-3 * notches, ListLines(hWnd));
            InvalidateRect(hWnd, nullptr, TRUE);
        }
        return 0;
    case WM_KILLFOCUS:
        CloseUp(hWnd);
        return 0;
    case WM_ENABLE:
        if (wParam == FALSE)
            CloseUp(hWnd);
        return 0;
    case WM_SIZE:
        if (ComboList* list = ListOf(hWnd))
            Changed(hWnd, *list);
        return 0;
    default:
        break;
    }
    if (ComboList* list = ListOf(hWnd))
        return ListMessage(hWnd, *list, message, wParam, lParam);
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

const controls::ClassRegistration registration(u"ComboBox", &ComboBoxProc);

}  // namespace
