#include "platform/tui/KeyHelp.h"

namespace tui {

const std::vector<std::u16string>& KeyHelpLines() {
    static const std::vector<std::u16string> lines{
        u"Keys",
        u"",
        u"Tab, Shift+Tab      next / previous control",
        u"Arrows              choose within a group of radio buttons; move in a list",
        u"Alt+letter          the control whose caption underlines that letter",
        u"                    (the letter alone outside the edit box and the list)",
        u"Space               press the button, toggle the check box or the row's tick",
        u"Enter               the default button (OK)",
        u"Esc                 Cancel",
        u"Up, Down, Home, End, PageUp, PageDown   move in the list",
        u"Left, Right         scroll the list sideways, a column at a time",
        u"F4, Alt+Down        open the combo box",
        u"F6                  fit the list's columns to their contents",
        u"F7                  the status line's redirect target as the new URL",
        u"Ctrl+L              draw the screen again",
        u"F1, ?               this help",
        u"",
        u"Mouse: click controls, rows, a row's check box, column headers (sort),",
        u"the combo box and its items; double click a row; the wheel scrolls",
        u"(sideways with Shift).",
        u"",
        u"Any key or click closes this help.",
    };
    return lines;
}

}  // namespace tui
