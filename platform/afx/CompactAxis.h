#pragma once

#include <vector>

// The compact layout along one axis of a dialog: where each control starts and ends, in cells, when the
// dialog has fewer cells than at its natural size. Internal to the dialog layer (see DialogGeometry.h).

namespace afx {

// One control along the axis.
struct AxisItem {
    int from = 0;  // its extent in the template, dialog units
    int to = 0;
    int acrossFrom = 0;  // its extent on the other axis, dialog units
    int acrossTo = 0;
    int naturalFrom = 0;  // cells, at the natural size
    int naturalTo = 0;
    // The edges the dialog's own layout moves with its far edge (right or bottom) when it is resized.
    bool fromFollows = false;
    bool toFollows = false;
    int least = 1;        // the cells its caption or contents need
    int container = -1;  // the group box it lies in (an index), or -1
};

// What the axis keeps at the least.
struct AxisRules {
    // Rows: controls apart on both axes in the template keep their order along this axis as well.
    bool ordersApartControls = false;
    int margin = 0;  // cells between a control and the dialog's edge
    int border = 1;  // cells from a group box's edge to what it holds
    int gap = 0;     // cells between neighbours that were apart in the template
    // Controls give up their own cells before what the dialog stretches: down, where a one-line control's
    // rows beyond its first are empty, so the list keeps its rows; across, the list and the fields narrow
    // before buttons lose the space around their captions.
    bool controlsBeforeStretch = false;
};

struct AxisPlacement {
    int total = 0;  // the cells used: the target, or more when the controls need more
    std::vector<int> from;
    std::vector<int> to;
};

// Places the controls in `target` cells (less than `natural`, the cells of the natural size) keeping their
// template order between neighbours that share rows (or columns), each control inside its group box and at
// least `least` cells long. Empty cells give way first, then controls down to what they need and what the
// dialog stretches, in the order the rules say: a longest path through the constraints, shortened a cell at
// a time along its critical path. What is left over goes where the dialog's own layout puts it: edges that
// follow the far side take their latest place, the others their earliest.
AxisPlacement CompactAxis(const std::vector<AxisItem>& items, int natural, int target, const AxisRules& rules);

}  // namespace afx
