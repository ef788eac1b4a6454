#include <algorithm>

#include "platform/paint/Boxes.h"
#include "platform/paint/ControlReading.h"
#include "platform/paint/DialogPainter.h"
#include "platform/paint/SafeText.h"
#include "platform/tui/DialogCells.h"
#include "platform/tui/KeyHelp.h"
#include "platform/tui/Terminal.h"
#include "platform/tui/TerminalFrontEnd.h"
#include "platform/win/WinUser.h"

// What the terminal shows: the host's window (its title on the top line, its status bar on the bottom
// line), the dialog between them, panned when it is larger, and the key help over everything.

namespace tui {

namespace {

// Moves `pan` as little as possible so that from..from+size shows whole in a view of `view` cells. What is
// longer than the view stays where it is while its start shows or it fills the view; else it fills the view.
int Pan(int pan, int from, int size, int view, int total) {
    const int last = from + size - view;
    if (size <= view)
        pan = std::clamp(pan, last, from);
    else if ((from < pan || from >= pan + view) && (from > pan || pan > last))
        pan = std::clamp(pan, from, last);
    return std::clamp(pan, 0, std::max(0, total - view));
}

void WriteLine(Frame& frame, int y, const paint::StyledText& text, Role role) {
    paint::CellGrid line(frame.width, 1);
    line.Write(1, 0, text, frame.width - 2);
    frame.Blit(line, 0, y, {0, y, frame.width, 1}, role);
}

void DrawHelp(Frame& frame) {
    const std::vector<std::u16string>& lines = KeyHelpLines();
    int width = 0;
    for (const std::u16string& line : lines)
        width = std::max(width, paint::StyledCells(paint::SafeText(line)));
    const int boxWidth = std::min(frame.width, width + 4);
    const int boxHeight = std::min(frame.height, static_cast<int>(lines.size()) + 2);
    paint::CellGrid box(boxWidth, boxHeight);
    paint::DrawBox(box, {0, 0, boxWidth, boxHeight}, 0);
    for (int i = 0; i < static_cast<int>(lines.size()) && i + 1 < boxHeight - 1; ++i)
        box.Write(2, i + 1, paint::SafeText(lines[static_cast<std::size_t>(i)], i == 0 ? paint::kBold : 0), boxWidth - 4);
    const int x = (frame.width - boxWidth) / 2;
    const int y = (frame.height - boxHeight) / 2;
    frame.Blit(box, x, y, {x, y, boxWidth, boxHeight}, Role::Help);
}

}  // namespace

Frame::Point TerminalFrontEnd::DialogOrigin(int dialogWidth, int dialogHeight) {
    const int viewWidth = terminal_.Width();
    const int viewHeight = std::max(0, terminal_.Height() - 2);
    HWND focus = GetFocus();
    if (focus != nullptr && GetParent(focus) == dialog_ && (focus != viewFocus_ || followFocus_)) {
        const paint::CellRect cells = ControlCells(dialog_, focus);
        panX_ = Pan(panX_, cells.x, cells.width, viewWidth, dialogWidth);
        panY_ = Pan(panY_, cells.y, cells.height, viewHeight, dialogHeight);
    }
    viewFocus_ = focus;
    followFocus_ = false;
    panX_ = std::clamp(panX_, 0, std::max(0, dialogWidth - viewWidth));
    panY_ = std::clamp(panY_, 0, std::max(0, dialogHeight - viewHeight));
    const int x = dialogWidth <= viewWidth ? (viewWidth - dialogWidth) / 2 : -panX_;
    const int y = dialogHeight <= viewHeight ? (viewHeight - dialogHeight) / 2 : -panY_;
    return {x, 1 + y};
}

Frame TerminalFrontEnd::Compose() {
    const int width = terminal_.Width();
    const int height = terminal_.Height();
    Frame frame(width, height);
    frame.Clear({0, 0, width, height}, Role::Backdrop);
    WriteLine(frame, 0, paint::SafeText(host_.title, paint::kBold), Role::Backdrop);
    if (dialog_ != nullptr && IsWindow(dialog_)) {
        const paint::CellGrid grid = paint::PaintDialog(dialog_);
        origin_ = DialogOrigin(grid.Width(), grid.Height());
        const paint::CellRect view{0, 1, width, std::max(0, height - 2)};
        frame.Blit(grid, origin_.x, origin_.y, view, Role::Dialog);
        if (origin_.y >= view.y)
            for (int x = std::max(0, origin_.x); x < std::min(width, origin_.x + grid.Width()); ++x)
                frame.RoleAt(x, origin_.y) = Role::Caption;
        // The cursor stands where the edit box shows its caret (or the start of its selection).
        HWND focus = GetFocus();
        if (focus != nullptr && GetParent(focus) == dialog_ && paint::KindOf(focus) == paint::ControlKind::Edit) {
            paint::CellRect field = paint::ClientArea(focus);
            const paint::CellRect cells = ControlCells(dialog_, focus);
            field.x += cells.x;
            field.y += cells.y;
            for (int x = field.x; x < field.Right() && field.y < grid.Height(); ++x) {
                if (x < 0 || x >= grid.Width() || (grid.At(x, field.y).attrs & paint::kReverse) == 0)
                    continue;
                const Frame::Point at{origin_.x + x, origin_.y + field.y};
                if (at.x >= 0 && at.x < width && at.y >= view.y && at.y < view.Bottom())
                    frame.cursor = at;
                break;
            }
        }
    }
    if (height >= 2) {
        HWND shown = dialog_ != nullptr && IsWindow(dialog_) ? dialog_ : nullptr;
        WriteLine(frame, height - 1, paint::SafeText(host_.status ? host_.status(shown) : std::u16string()), Role::Status);
    }
    if (help_) {
        DrawHelp(frame);
        frame.cursor.reset();
    }
    frame.Mend();
    return frame;
}

}  // namespace tui
