#include "platform/afx/DialogGeometry.h"

#include <algorithm>

#include "platform/afx/CompactAxis.h"

namespace afx {

namespace {

// At 3 units a column rather than the font's 4, every caption of a template laid out for a proportional
// font shows whole in its own control (a button adds its marks, a check box its box, and letters narrow in
// the font take a whole cell).
constexpr int kUnitsPerColumn = 3;
constexpr int kUnitsPerRow = 8;

int UnitsToCells(int units, int perCell) {
    const int half = perCell / 2;
    return units >= 0 ? (units + half) / perCell : -((-units + half) / perCell);
}

// Across, a control keeps a column from its neighbours and the dialog's edges, and a column beside the
// border inside a group box; down, only the group box's border rows are kept.
constexpr AxisRules kColumns{false, 1, 2, 1, false};
constexpr AxisRules kRows{true, 0, 1, 0, true};

// A drop-down list's closed box in a template at this font: 12 units, one row.
constexpr int kClosedComboUnits = 12;

// What the relations between controls go by: a combo box's closed box; its list drops over others.
DialogRect RelationRect(const ControlShape& control) {
    DialogRect rect = control.templateRect;
    if (control.comboBox)
        rect.cy = std::min(rect.cy, kClosedComboUnits);
    return rect;
}

bool Inside(const DialogRect& inner, const DialogRect& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.cx <= outer.x + outer.cx &&
           inner.y + inner.cy <= outer.y + outer.cy;
}

long long Area(const DialogRect& rect) { return static_cast<long long>(rect.cx) * rect.cy; }

// The smallest group box that holds the control in the template (a group box only holds what is smaller).
int ContainerOf(const std::vector<ControlShape>& controls, std::size_t index) {
    const DialogRect rect = RelationRect(controls[index]);
    int container = -1;
    for (std::size_t g = 0; g < controls.size(); ++g) {
        const DialogRect& group = controls[g].templateRect;
        if (g == index || !controls[g].groupBox || !Inside(rect, group) || Area(group) <= Area(rect))
            continue;
        if (container < 0 || Area(group) < Area(controls[static_cast<std::size_t>(container)].templateRect))
            container = static_cast<int>(g);
    }
    return container;
}

std::vector<AxisItem> AxisItems(const std::vector<ControlShape>& controls, bool across) {
    std::vector<AxisItem> items;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlShape& control = controls[i];
        const DialogRect rect = RelationRect(control);
        AxisItem item;
        if (across) {
            item = {rect.x, rect.x + rect.cx, rect.y, rect.y + rect.cy, UnitsToColumns(rect.x),
                    UnitsToColumns(rect.x + rect.cx), control.leftFollows, control.rightFollows, control.leastWidth};
        } else {
            item = {rect.y, rect.y + rect.cy, rect.x, rect.x + rect.cx, UnitsToRows(rect.y),
                    UnitsToRows(rect.y + rect.cy), control.topFollows, control.bottomFollows, control.leastHeight};
        }
        item.container = ContainerOf(controls, i);
        items.push_back(item);
    }
    return items;
}

}  // namespace

int UnitsToColumns(int units) { return UnitsToCells(units, kUnitsPerColumn); }

int UnitsToRows(int units) { return UnitsToCells(units, kUnitsPerRow); }

RECT NaturalCells(const DialogRect& rect) {
    return RECT{UnitsToColumns(rect.x), UnitsToRows(rect.y), UnitsToColumns(rect.x + rect.cx),
                UnitsToRows(rect.y + rect.cy)};
}

SIZE UnitsForCells(int templateCx, int templateCy, int width, int height) {
    return SIZE{templateCx + kUnitsPerColumn * (width - UnitsToColumns(templateCx)),
                templateCy + kUnitsPerRow * (height - UnitsToRows(templateCy))};
}

CellPlacement PlaceInCells(const std::vector<ControlShape>& controls, int templateCx, int templateCy, int width,
                           int height) {
    CellPlacement placement;
    for (const ControlShape& control : controls)
        placement.rects.push_back(NaturalCells(control.rect));
    const int columns = UnitsToColumns(templateCx);
    const int rows = UnitsToRows(templateCy);
    placement.width = width;
    placement.height = height;
    if (width < columns) {
        const AxisPlacement across = CompactAxis(AxisItems(controls, true), columns, width, kColumns);
        placement.width = across.total;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            placement.rects[i].left = across.from[i];
            placement.rects[i].right = across.to[i];
        }
    }
    if (height < rows) {
        const AxisPlacement down = CompactAxis(AxisItems(controls, false), rows, height, kRows);
        placement.height = down.total;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            RECT& rect = placement.rects[i];
            const int naturalRows = rect.bottom - rect.top;
            rect.top = down.from[i];
            rect.bottom = down.to[i];
            if (controls[i].comboBox)
                rect.bottom = std::max(rect.bottom, std::min(rect.top + naturalRows, placement.height));
        }
    }
    return placement;
}

}  // namespace afx
