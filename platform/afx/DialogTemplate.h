#pragma once

#include "platform/win/WinTypes.h"

#include <string>
#include <vector>

// A dialog as a module describes it: plain data, laid out in dialog units (a quarter of the font's average
// character width across, an eighth of its height down), for the dialog layer to build windows from.

enum class ControlKind {
    PushButton,
    RadioButton,
    CheckBox,
    Static,
    GroupBox,
    Edit,
    ComboBox,
    ListBox,
    ListView,
};

struct DialogRect {
    int x;
    int y;
    int cx;
    int cy;
};

struct DialogControl {
    UINT nID;
    ControlKind kind;
    std::u16string text;
    DialogRect rect;
    DWORD style;  // the kind's style bits (WS_*, BS_*, ...), as the dialog layer reads them
};

struct DialogFont {
    WORD pointSize;
    std::u16string faceName;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charSet = 1;  // DEFAULT_CHARSET
};

struct DialogTemplate {
    UINT nID;
    std::u16string caption;
    DWORD style;
    int cx;  // client size in dialog units
    int cy;
    DialogFont font;
    std::vector<DialogControl> controls;  // in template order, which is also the tab order
    DWORD exStyle = 0;
    int x = 0;  // position in dialog units
    int y = 0;
};
