#pragma once
#include "platform/win/WinTypes.h"

namespace tarn::bench {

// A child control of `dialog`, as a template would make it, in cells.
HWND addControl(HWND dialog, LPCWSTR className, LPCWSTR text, DWORD style, int id, int x, int y, int width,
                int height);

// Fills a report-view list with check boxes, six columns (the first `firstWidth` cells wide, the others
// `otherWidth`) and `rows` rows of a URL and five short texts, as a checked page fills the dialog's list.
void fillList(HWND list, int rows, int firstWidth, int otherWidth);

}  // namespace tarn::bench
