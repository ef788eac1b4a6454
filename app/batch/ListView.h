#pragma once
#include <string>

#include "platform/win/WinTypes.h"

// The dialog's list view, read through its own messages as any window would read it.
class ListView {
public:
    explicit ListView(HWND list) : list_(list) {}

    int count() const;
    // A cell's text; the buffer is kept from call to call, so reading every row allocates little.
    const std::u16string& text(int row, int column);
    // The first selected row, or -1.
    int selected() const;

private:
    HWND list_;
    std::u16string buffer_ = std::u16string(256, u'\0');
    std::u16string text_;
};
