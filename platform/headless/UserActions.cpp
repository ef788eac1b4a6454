#include <algorithm>
#include <initializer_list>
#include <vector>

#include "platform/win/WinControls.h"
#include "platform/headless/HeadlessFrontEnd.h"
#include "platform/paint/ControlReading.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/WinControls.h"
#include "platform/win/WindowInput.h"

// A user's actions, made of the messages a person's mouse and keys would bring, handed to the dialog
// through DeliverInput so the dialog manager sees them first, as it does in the terminal.

namespace headless {

namespace {

using paint::ControlKind;
using paint::KindOf;

const char* const kNoDialog = "no dialog";
const char* const kNoControl = "no such control";
const char* const kDisabled = "disabled";
const char* const kHidden = "hidden";

Outcome Refused(const char* error) { return Outcome{error}; }

void Deliver(HWND hDlg, HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    DeliverInput(hDlg, MSG{target, message, wParam, lParam, 0});
}

void ClickAt(HWND hDlg, HWND target, int x, int y) {
    Deliver(hDlg, target, WM_LBUTTONDOWN, 0, MAKELPARAM(x, y));
    Deliver(hDlg, target, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// A control a user is about to act on, or why the user cannot.
struct Target {
    HWND hwnd = nullptr;
    const char* error = nullptr;
};

Target Usable(HWND control, const char* missing) {
    if (control == nullptr)
        return {nullptr, missing};
    if (!paint::IsShown(control))
        return {nullptr, kHidden};
    if (!IsWindowEnabled(control))
        return {nullptr, kDisabled};
    return {control, nullptr};
}

// Control `id` of the dialog when it is one of `kinds` and a user can reach it.
Target ControlById(HWND hDlg, int id, std::initializer_list<ControlKind> kinds, const char* wrongKind) {
    if (hDlg == nullptr)
        return {nullptr, kNoDialog};
    HWND control = GetDlgItem(hDlg, id);
    if (control != nullptr && std::ranges::find(kinds, KindOf(control)) == kinds.end())
        return {nullptr, wrongKind};
    return Usable(control, kNoControl);
}

// The dialog's list view (its first) when a user can reach it.
Target TheList(HWND hDlg) {
    if (hDlg == nullptr)
        return {nullptr, kNoDialog};
    HWND child = GetWindow(hDlg, GW_CHILD);
    while (child != nullptr && KindOf(child) != ControlKind::List)
        child = GetWindow(child, GW_HWNDNEXT);
    return Usable(child, kNoControl);
}

// The list when a user can act on its row `row`.
Target TheRow(HWND hDlg, int row) {
    const Target list = TheList(hDlg);
    if (list.error == nullptr && (row < 0 || row >= static_cast<int>(SendMessageW(list.hwnd, LVM_GETITEMCOUNT, 0, 0))))
        return {nullptr, "no such row"};
    return list;
}

// The line of `row` in the list's client area, after scrolling it into view.
int ShowRow(HWND list, int row) {
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    return 1 + row - static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
}

bool HasCheckBoxes(HWND list) {
    return (SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & static_cast<LRESULT>(LVS_EX_CHECKBOXES)) != 0;
}

// A cell of row's label in column 0: past the check box, where there is one.
int LabelCell(HWND list) {
    if (!HasCheckBoxes(list))
        return 0;
    const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
    return width > 4 ? 4 : 3;
}

}  // namespace

Outcome ClickButton(HWND dialog, int id) {
    const Target button = ControlById(
        dialog, id, {ControlKind::PushButton, ControlKind::DefPushButton, ControlKind::CheckBox, ControlKind::Radio},
        "not a button");
    if (button.error != nullptr)
        return Refused(button.error);
    RECT client{};
    GetClientRect(button.hwnd, &client);
    ClickAt(dialog, button.hwnd, client.right / 2, 0);
    return {};
}

Outcome HeadlessFrontEnd::Click(int id) { return ClickButton(dialog_, id); }

Outcome HeadlessFrontEnd::Select(int id, int index) {
    const Target target = ControlById(dialog_, id, {ControlKind::Combo}, "not a combo box");
    if (target.error != nullptr)
        return Refused(target.error);
    HWND combo = target.hwnd;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    if (index < 0 || index >= count)
        return Refused("no such item");
    // A click on the closed box drops the list (a second one if the first closed a list already open).
    for (int attempt = 0; attempt < 2 && !SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0); ++attempt)
        ClickAt(dialog_, combo, 0, 0);
    if (!SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0))
        return Refused("did not drop");
    RECT rect{};
    GetWindowRect(combo, &rect);
    const int lines = std::max<int>(rect.bottom - rect.top - 1, 1);
    // The wheel brings the item into the dropped list; each turn scrolls at least one item, so this ends.
    for (int turn = 0; turn <= count; ++turn) {
        const int top = static_cast<int>(SendMessageW(combo, CB_GETTOPINDEX, 0, 0));
        if (index >= top && index < top + lines) {
            ClickAt(dialog_, combo, 0, 1 + index - top);
            return {};
        }
        const int delta = index < top ? WHEEL_DELTA : -WHEEL_DELTA;
        Deliver(dialog_, combo, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), MAKELPARAM(0, 1));
    }
    return Refused("item not shown");
}

Outcome TypeText(HWND dialog, int id, std::u16string_view text) {
    const Target edit = ControlById(dialog, id, {ControlKind::Edit}, "not an edit box");
    if (edit.error != nullptr)
        return Refused(edit.error);
    SetFocus(edit.hwnd);
    SendMessageW(edit.hwnd, EM_SETSEL, 0, -1);
    // Typing replaces the selection; to leave the box empty the user deletes it instead.
    if (text.empty())
        Deliver(dialog, edit.hwnd, WM_KEYDOWN, VK_DELETE, 0);
    for (char16_t unit : text)
        Deliver(dialog, edit.hwnd, WM_CHAR, unit, 0);
    return {};
}

Outcome HeadlessFrontEnd::Type(int id, std::u16string_view text) { return TypeText(dialog_, id, text); }

Outcome HeadlessFrontEnd::Tick(int row, bool value) {
    const Target list = TheRow(dialog_, row);
    if (list.error != nullptr)
        return Refused(list.error);
    if (!HasCheckBoxes(list.hwnd))
        return Refused("no check boxes");
    if (paint::ListRowTicked(list.hwnd, row) != value)
        ClickAt(dialog_, list.hwnd, 1, ShowRow(list.hwnd, row));
    Outcome outcome;
    outcome.ticked = IsWindow(list.hwnd) && paint::ListRowTicked(list.hwnd, row);
    return outcome;
}

Outcome HeadlessFrontEnd::ClickRow(int row) {
    const Target list = TheRow(dialog_, row);
    if (list.error != nullptr)
        return Refused(list.error);
    ClickAt(dialog_, list.hwnd, LabelCell(list.hwnd), ShowRow(list.hwnd, row));
    return {};
}

Outcome HeadlessFrontEnd::DblClickRow(int row) {
    const Target list = TheRow(dialog_, row);
    if (list.error != nullptr)
        return Refused(list.error);
    const int x = LabelCell(list.hwnd);
    const int y = ShowRow(list.hwnd, row);
    // The order a mouse gives: the first click, then the second as a double click.
    ClickAt(dialog_, list.hwnd, x, y);
    if (IsWindow(list.hwnd)) {
        Deliver(dialog_, list.hwnd, WM_LBUTTONDBLCLK, 0, MAKELPARAM(x, y));
        Deliver(dialog_, list.hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    return {};
}

Outcome HeadlessFrontEnd::Key(WORD vk) {
    const Target list = TheList(dialog_);
    if (list.error != nullptr)
        return Refused(list.error);
    SetFocus(list.hwnd);
    SetKeyModifiers(false, false, false);
    Deliver(dialog_, list.hwnd, WM_KEYDOWN, vk, 0);
    return {};
}

Outcome HeadlessFrontEnd::Header(int column) {
    const Target list = TheList(dialog_);
    if (list.error != nullptr)
        return Refused(list.error);
    const std::vector<paint::ListColumn> columns = paint::ListColumns(list.hwnd);
    if (column < 0 || column >= static_cast<int>(columns.size()) || columns[column].width <= 0)
        return Refused("no such column");
    ClickAt(dialog_, list.hwnd, columns[column].left + std::min(1, columns[column].width - 1), 0);
    return {};
}

Outcome HeadlessFrontEnd::Resize(int width, int height) {
    if (dialog_ == nullptr)
        return Refused(kNoDialog);
    if (width < 1 || height < 1 || width > 10000 || height > 10000)
        return Refused("bad size");
    RECT window{};
    RECT client{};
    GetWindowRect(dialog_, &window);
    GetClientRect(dialog_, &client);
    const int frameWidth = (window.right - window.left) - (client.right - client.left);
    const int frameHeight = (window.bottom - window.top) - (client.bottom - client.top);
    MoveWindow(dialog_, window.left, window.top, width + frameWidth, height + frameHeight, TRUE);
    return {};
}

Outcome HeadlessFrontEnd::Close() {
    if (dialog_ == nullptr)
        return Refused(kNoDialog);
    PostMessageW(dialog_, WM_CLOSE, 0, 0);
    return {};
}

std::optional<Outcome> HeadlessFrontEnd::WaitIdle(int timeoutMs, int busyControlId) {
    if (dialog_ == nullptr)
        return Refused(kNoDialog);
    const Clock::time_point now = Clock::now();
    if (!waitDeadline_)
        waitDeadline_ = now + std::chrono::milliseconds(std::max(timeoutMs, 0));
    MSG pending{};
    HWND busy = busyControlId != 0 ? GetDlgItem(dialog_, busyControlId) : nullptr;
    if (!PeekMessageW(&pending, nullptr, 0, 0, PM_NOREMOVE) && (busy == nullptr || !IsWindowEnabled(busy))) {
        waitDeadline_.reset();
        return Outcome{};
    }
    if (now >= *waitDeadline_) {
        waitDeadline_.reset();
        return Refused("timeout");
    }
    return std::nullopt;
}

}  // namespace headless
