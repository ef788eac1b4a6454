#pragma once

#include <vector>

#include "platform/afx/AfxApi.h"
#include "platform/afx/DialogTemplate.h"
#include "platform/win/WinUser.h"

// Dialog units to cells: the one mapping that places a dialog's controls, so that the painter, the mouse,
// the automation and both front ends see the same cells (see docs/architecture.md, "Geometry").

namespace afx {

// At the natural size: 3 units a column and 8 a row, each edge rounded to the nearest cell (halves away from
// zero), so controls that touch in units touch in cells and no two that are apart overlap.
AFX_API int UnitsToColumns(int units);
AFX_API int UnitsToRows(int units);
AFX_API RECT NaturalCells(const DialogRect& rect);
// The size in units that a dialog of templateCx x templateCy units has at width x height cells: its own,
// and a column's or a row's units for each cell more (or fewer) than its natural size.
AFX_API SIZE UnitsForCells(int templateCx, int templateCy, int width, int height);

// A control as the mapping sees it.
struct ControlShape {
    DialogRect templateRect;  // in the template
    DialogRect rect;          // where the dialog's own layout has put it for its size, in units
    // The edges that the dialog's layout moves with its right and bottom edges when it is resized.
    bool leftFollows = false;
    bool rightFollows = false;
    bool topFollows = false;
    bool bottomFollows = false;
    int leastWidth = 1;  // the cells its caption or contents need
    int leastHeight = 1;
    bool groupBox = false;
    bool comboBox = false;  // laid out by its closed box, one row; its window keeps the rows of its list
};

// Where the controls go for a client area of width x height cells. An axis with at least the natural cells
// maps the dialog's own layout (in units) as above. A shorter axis gets the compact layout: empty rows and
// columns, blank margins, tall one-line controls and wide buttons give way before what the dialog stretches,
// every control keeps what it needs, and controls keep their template order where they share rows (or
// columns) and their place in their group box. The dialog may need more cells than asked: `width` and
// `height` say what was used.
struct CellPlacement {
    int width = 0;
    int height = 0;
    std::vector<RECT> rects;  // one a control, in the order given
};

AFX_API CellPlacement PlaceInCells(const std::vector<ControlShape>& controls, int templateCx, int templateCy,
                                   int width, int height);

}  // namespace afx
