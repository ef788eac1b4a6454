#include "platform/paint/ControlReading.h"

#include <algorithm>
#include <string_view>

#include "platform/win/CommCtrl.h"
#include "platform/win/WinControls.h"
#include "platform/win/WinUser.h"

namespace paint {

namespace {

// Class names compare ignoring ASCII case, as window classes do.
bool SameClass(std::u16string_view a, std::u16string_view b) {
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    return std::ranges::equal(a, b, [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

ControlKind ButtonKind(DWORD style) {
    switch (style & BS_TYPEMASK) {
    case BS_DEFPUSHBUTTON:
        return ControlKind::DefPushButton;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
        return ControlKind::CheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return ControlKind::Radio;
    case BS_GROUPBOX:
        return ControlKind::GroupBox;
    default:
        return ControlKind::PushButton;
    }
}

}  // namespace

ControlKind KindOf(HWND hWnd) {
    WCHAR buffer[32];
    const int length = GetClassNameW(hWnd, buffer, static_cast<int>(std::size(buffer)));
    const std::u16string_view name(buffer, static_cast<std::size_t>(length));
    if (SameClass(name, u"Button"))
        return ButtonKind(static_cast<DWORD>(GetWindowLongW(hWnd, GWL_STYLE)));
    if (SameClass(name, u"Static"))
        return ControlKind::Static;
    if (SameClass(name, u"Edit"))
        return ControlKind::Edit;
    if (SameClass(name, u"ComboBox"))
        return ControlKind::Combo;
    if (SameClass(name, u"SysListView32"))
        return ControlKind::List;
    return ControlKind::Other;
}

bool IsShown(HWND hWnd) { return (static_cast<DWORD>(GetWindowLongW(hWnd, GWL_STYLE)) & WS_VISIBLE) != 0; }

std::u16string WindowText(HWND hWnd) {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(hWnd)), u'\0');
    // The text may change between the two calls when another thread sets it: keep what was copied.
    const int copied = GetWindowTextW(hWnd, text.data(), static_cast<int>(text.size()) + 1);
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::vector<ListColumn> ListColumns(HWND list) {
    std::vector<ListColumn> columns;
    int left = 0;
    for (int index = 0;; ++index) {
        // Header texts are short; a longer one is shown cut anyway.
        WCHAR buffer[256] = {};
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = buffer;
        column.cchTextMax = static_cast<int>(std::size(buffer));
        if (!SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)))
            break;
        const int width = std::max(0, column.cx);
        columns.push_back({buffer, left, width});
        left += width;
    }
    return columns;
}

bool ListRowTicked(HWND list, int row) {
    const LRESULT state = SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
    return (static_cast<UINT>(state) & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

std::u16string ComboItemText(HWND combo, int index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0)
        return {};
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    const LRESULT copied =
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return text;
}

}  // namespace paint
