#include "platform/afx/DialogLayout.h"

#include <algorithm>
#include <string>

#include "platform/win/TextCells.h"
#include "platform/win/WinControls.h"

namespace afx {

namespace {

// What the controls whose contents come and go keep at the least: a field of text its first characters, a
// list its header and three rows inside its frame.
constexpr int kLeastFieldColumns = 10;
constexpr int kLeastListColumns = 20;
constexpr int kLeastListRows = 4;

std::u16string TextOf(HWND hwnd) {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)), u'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()) + 1)));
    return text;
}

// The cells a caption takes as painted: '&' marks the mnemonic and "&&" shows one '&', unless the control
// shows '&' as it is.
int CaptionCells(HWND hwnd, bool prefix) {
    const std::u16string text = TextOf(hwnd);
    std::u16string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (prefix && text[i] == u'&' && ++i == text.size())
            break;
        shown.push_back(text[i]);
    }
    return TextCells(shown);
}

int WidestItem(HWND combo) {
    int widest = 0;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        const LRESULT length = std::max<LRESULT>(0, SendMessageW(combo, CB_GETLBTEXTLEN, index, 0));
        std::u16string item(static_cast<std::size_t>(length), u'\0');
        const LRESULT copied = SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
        widest = std::max(widest, TextCells(item));
    }
    return widest;
}

// The cells a control needs to show its caption whole, or enough of what it holds.
SIZE LeastCells(ControlKind kind, DWORD style, HWND hwnd) {
    const int frame = (style & WS_BORDER) != 0 ? 2 : 0;
    switch (kind) {
    case ControlKind::PushButton:
        return {CaptionCells(hwnd, true) + 2, 1};  // between its two marks
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
        return {CaptionCells(hwnd, true) + 4, 1};  // after its box and a space
    case ControlKind::GroupBox:
        return {CaptionCells(hwnd, true) + 6, 2};  // a corner, a line and a space on either side
    case ControlKind::Static:
        return {(style & SS_SUNKEN) != 0 ? kLeastFieldColumns : CaptionCells(hwnd, (style & SS_NOPREFIX) == 0), 1};
    case ControlKind::Edit:
        return {kLeastFieldColumns, 1};
    case ControlKind::ComboBox:
        return {std::max(kLeastFieldColumns, WidestItem(hwnd) + 2), 1};  // the text and the drop mark
    case ControlKind::ListBox:
        return {kLeastFieldColumns, 1 + frame};
    case ControlKind::ListView:
        return {kLeastListColumns, kLeastListRows + frame};
    }
    return {1, 1};
}

}  // namespace

void DialogLayout::Attach(HWND hDlg, const DialogTemplate& dialogTemplate) {
    controls_.clear();
    templateCx_ = unitsCx_ = dialogTemplate.cx;
    templateCy_ = unitsCy_ = dialogTemplate.cy;
    // The dialog made one child a template control, in order; children it added itself come after them.
    HWND child = GetWindow(hDlg, GW_CHILD);
    for (const DialogControl& control : dialogTemplate.controls) {
        if (child == nullptr)
            break;
        ControlShape shape;
        shape.templateRect = shape.rect = control.rect;
        shape.groupBox = control.kind == ControlKind::GroupBox;
        shape.comboBox = control.kind == ControlKind::ComboBox;
        controls_.push_back({child, control.kind, control.style, shape});
        child = GetWindow(child, GW_HWNDNEXT);
    }
}

SIZE DialogLayout::UnitsTo(int width, int height) {
    const SIZE units = UnitsForCells(templateCx_, templateCy_, width, height);
    const SIZE delta{units.cx - unitsCx_, units.cy - unitsCy_};
    unitsCx_ = units.cx;
    unitsCy_ = units.cy;
    return delta;
}

void DialogLayout::Moved(HWND control, int delta, bool horizontal, bool stretch) {
    const auto found =
        std::ranges::find_if(controls_, [control](const Control& c) { return c.hwnd == control; });
    if (found == controls_.end() || delta == 0)
        return;
    ControlShape& shape = found->shape;
    if (horizontal) {
        (stretch ? shape.rect.cx : shape.rect.x) += delta;
        shape.leftFollows = shape.leftFollows || !stretch;
        shape.rightFollows = true;
    } else {
        (stretch ? shape.rect.cy : shape.rect.y) += delta;
        shape.topFollows = shape.topFollows || !stretch;
        shape.bottomFollows = true;
    }
}

SIZE DialogLayout::Place(int width, int height) {
    std::vector<ControlShape> shapes;
    shapes.reserve(controls_.size());
    for (Control& control : controls_) {
        const SIZE least = LeastCells(control.kind, control.style, control.hwnd);
        control.shape.leastWidth = least.cx;
        control.shape.leastHeight = least.cy;
        shapes.push_back(control.shape);
    }
    const CellPlacement placement = PlaceInCells(shapes, templateCx_, templateCy_, width, height);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const RECT& cells = placement.rects[i];
        RECT now{};
        GetWindowRect(controls_[i].hwnd, &now);
        if (now.left != cells.left || now.top != cells.top || now.right != cells.right || now.bottom != cells.bottom)
            MoveWindow(controls_[i].hwnd, cells.left, cells.top, cells.right - cells.left, cells.bottom - cells.top,
                       TRUE);
    }
    return SIZE{placement.width, placement.height};
}

}  // namespace afx
