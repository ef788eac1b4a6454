#include "tests/dialog/DialogTestSupport.h"

#include "module/res/resource.h"
#include "platform/afx/CDynLinkLibrary.h"
#include "platform/afx/DialogTemplate.h"
#include "platform/win/Utf8.h"

// The dialog at every terminal size people use, as the automation reports it: its own layout code and the
// one mapping from dialog units to cells, without a terminal.

namespace dialogtest {
namespace {

using headless::HeadlessFrontEnd;

struct Cells {
    int left, top, right, bottom;
};

bool Overlap(const Cells& a, const Cells& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Within(const Cells& inner, const Cells& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Apart(int aFrom, int aTo, int bFrom, int bTo) { return aTo <= bFrom || bTo <= aFrom; }

// A control's place in the template; a combo box's is its closed box, 12 units.
DialogRect Closed(const DialogControl& control) {
    DialogRect rect = control.rect;
    if (control.kind == ControlKind::ComboBox)
        rect.cy = std::min(rect.cy, 12);
    return rect;
}

// A caption as painted: the mnemonic's '&' is not shown.
std::string Shown(const std::u16string& caption) {
    std::u16string shown;
    for (char16_t c : caption)
        if (c != u'&')
            shown.push_back(c);
    return win::EncodeUtf8(shown);
}

bool Holds(const DialogControl& group, const DialogRect& b) {
    const DialogRect& a = group.rect;
    return group.kind == ControlKind::GroupBox && a.x <= b.x && a.y <= b.y && b.x + b.cx <= a.x + a.cx &&
           b.y + b.cy <= a.y + a.cy;
}

class CompactLayout : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        SetManualStart(1);
    }

    DialogRun run{AnchorPage({"http://127.0.0.1:9/a", "http://127.0.0.1:9/b"})};
};

TEST_F(CompactLayout, AtEverySizeCaptionsShowWholeAndControlsKeepApartInOrderInsideTheDialog) {
    const DialogTemplate& dialog = *AfxFindDialogTemplate(IDD_LINK_CHECK);
    const std::vector<DialogControl>& controls = dialog.controls;
    int checked = 0;
    run.Run({Do([&](HeadlessFrontEnd& frontEnd) {
        nlohmann::json smallest;
        // Terminal sizes; the dialog's client area is that less its frame and the host's two lines.
        for (int terminalWidth = 80; terminalWidth <= 220; terminalWidth += 10) {
            for (int terminalHeight = 24; terminalHeight <= 60; terminalHeight += 4) {
                const int width = terminalWidth - 2;
                const int height = terminalHeight - 4;
                ASSERT_TRUE(frontEnd.Resize(width, height).Ok());
                const nlohmann::json state = frontEnd.State();
                const std::string at = std::to_string(terminalWidth) + " x " + std::to_string(terminalHeight);
                if (smallest.is_null())
                    smallest = state["size"];
                // The dialog fills what it is given, and needs no more than it needs at the smallest size.
                EXPECT_EQ(state["size"][0], std::max(width, smallest[0].get<int>())) << at;
                EXPECT_EQ(state["size"][1], std::max(height, smallest[1].get<int>())) << at;
                const Cells client{0, 0, state["size"][0], state["size"][1]};

                std::vector<Cells> cells;
                for (const nlohmann::json& control : state["controls"]) {
                    const auto& r = control["rect"];
                    // A closed combo box is its first row; its list drops over what lies below.
                    const int rows = control["class"] == "combo" ? 1 : r[3].get<int>();
                    cells.push_back({r[0], r[1], r[0].get<int>() + r[2].get<int>(), r[1].get<int>() + rows});
                }
                ASSERT_EQ(cells.size(), controls.size());
                for (std::size_t i = 0; i < controls.size(); ++i) {
                    EXPECT_TRUE(Within(cells[i], client)) << at << ": " << controls[i].nID;
                    for (std::size_t j = 0; j < controls.size(); ++j) {
                        const DialogRect a = Closed(controls[i]);
                        const DialogRect b = Closed(controls[j]);
                        const std::string pair =
                            at + ": " + std::to_string(controls[i].nID) + ", " + std::to_string(controls[j].nID);
                        if (Holds(controls[i], b)) {
                            EXPECT_TRUE(Within(cells[j], cells[i])) << pair;
                        } else if (i < j && !Holds(controls[j], a)) {
                            EXPECT_FALSE(Overlap(cells[i], cells[j])) << pair;
                        }
                        // Controls side by side in a row stay in their order across, and one above the
                        // other in a column stay in theirs down.
                        if (a.x + a.cx <= b.x && !Apart(a.y, a.y + a.cy, b.y, b.y + b.cy)) {
                            EXPECT_LE(cells[i].right, cells[j].left) << pair;
                        }
                        if (a.y + a.cy <= b.y && !Apart(a.x, a.x + a.cx, b.x, b.x + b.cx)) {
                            EXPECT_LE(cells[i].bottom, cells[j].top) << pair;
                        }
                    }
                }
                std::string screen;
                for (const auto& line : state["screen"])
                    screen += line.get<std::string>() + "\n";
                EXPECT_NE(screen.find(Shown(dialog.caption)), std::string::npos) << at;
                for (const DialogControl& control : controls)
                    EXPECT_NE(screen.find(Shown(control.text)), std::string::npos) << at << "\n" << screen;
                ++checked;
            }
        }
    })});
    EXPECT_EQ(checked, 15 * 10);
}

}  // namespace
}  // namespace dialogtest
