#include "platform/win/Utf8.h"
#include "platform/headless/HeadlessFrontEnd.h"
#include "platform/paint/ControlReading.h"
#include "platform/paint/DialogPainter.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/ListViewText.h"
#include "platform/win/WinControls.h"

// The dialog as the automation reports it: what each control is and holds, read through window functions
// and messages as the painter reads them, and the painted screen.

namespace headless {

namespace {

using nlohmann::json;
using paint::ControlKind;

std::string Utf8(std::u16string_view text) { return win::EncodeUtf8(text); }

const char* ClassName(ControlKind kind) {
    switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
        return "button";
    case ControlKind::CheckBox:
        return "checkbox";
    case ControlKind::Radio:
        return "radio";
    case ControlKind::GroupBox:
        return "group";
    case ControlKind::Static:
        return "static";
    case ControlKind::Edit:
        return "edit";
    case ControlKind::Combo:
        return "combo";
    case ControlKind::List:
        return "list";
    case ControlKind::Other:
        break;
    }
    return nullptr;
}

json Control(HWND control, ControlKind kind) {
    RECT rect{};
    GetWindowRect(control, &rect);
    const bool checkable = kind == ControlKind::CheckBox || kind == ControlKind::Radio;
    return {
        {"id", GetDlgCtrlID(control)},
        {"class", ClassName(kind)},
        {"text", Utf8(paint::WindowText(control))},
        {"enabled", IsWindowEnabled(control) != FALSE},
        {"checked", checkable && SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED},
        {"rect", {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}},
    };
}

json List(HWND list) {
    RECT client{};
    GetClientRect(list, &client);
    const std::vector<paint::ListColumn> columns = paint::ListColumns(list);
    json columnsJson = json::array();
    for (const paint::ListColumn& column : columns)
        columnsJson.push_back({{"text", Utf8(column.text)}, {"width", column.width}});
    json rows = json::array();
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        json cells = json::array();
        for (std::size_t column = 0; column < columns.size(); ++column)
            cells.push_back(Utf8(ListViewText(list, row, static_cast<int>(column))));
        const LRESULT selected = SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED);
        rows.push_back({{"cells", std::move(cells)},
                        {"ticked", paint::ListRowTicked(list, row)},
                        {"selected", (selected & LVIS_SELECTED) != 0}});
    }
    return {{"clientWidth", client.right - client.left}, {"columns", std::move(columnsJson)}, {"rows", std::move(rows)}};
}

json Combo(HWND combo) {
    json items = json::array();
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index)
        items.push_back(Utf8(paint::ComboItemText(combo, index)));
    return {{"items", std::move(items)}, {"selected", static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0))}};
}

}  // namespace

std::vector<std::string> HeadlessFrontEnd::Screen() const {
    if (dialog_ == nullptr)
        return {};
    return paint::PaintDialog(dialog_).Lines();
}

nlohmann::json HeadlessFrontEnd::State() const {
    json state = json::object();
    if (dialog_ == nullptr)
        return state;
    RECT client{};
    GetClientRect(dialog_, &client);
    json controls = json::array();
    json list = nullptr;
    json combo = nullptr;
    for (HWND child = GetWindow(dialog_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const ControlKind kind = paint::KindOf(child);
        if (kind == ControlKind::Other)
            continue;
        controls.push_back(Control(child, kind));
        if (kind == ControlKind::List && list.is_null())
            list = List(child);
        else if (kind == ControlKind::Combo && combo.is_null())
            combo = Combo(child);
    }
    state["caption"] = Utf8(paint::WindowText(dialog_));
    state["size"] = {client.right - client.left, client.bottom - client.top};
    state["controls"] = std::move(controls);
    state["list"] = std::move(list);
    state["combo"] = std::move(combo);
    state["screen"] = Screen();
    if (extension_)
        extension_(state);
    return state;
}

}  // namespace headless
