#pragma once

#include <vector>

#include "platform/afx/AfxApi.h"
#include "platform/afx/DialogGeometry.h"
#include "platform/afx/DialogTemplate.h"
#include "platform/win/WinUser.h"

namespace afx {

// A resizable dialog's controls as its own layout code moves them, in dialog units, and placed in cells
// through the one mapping (PlaceInCells) for whatever client size the dialog is given: the template's
// natural size and more as the dialog's code says, fewer cells through the compact layout. What the code
// moved or stretched along an axis tells which edges follow the dialog's far edges there.
class AFX_API DialogLayout {
public:
    // The dialog's controls, made from the template in its order, at the template's size.
    void Attach(HWND hDlg, const DialogTemplate& dialogTemplate);

    // The change, in dialog units, that takes the dialog's layout to a client of width x height cells: the
    // caller hands it to the dialog's layout code, which reports each control it moves through Moved.
    SIZE UnitsTo(int width, int height);
    // The dialog's code moved the control by delta units along one axis, or with `stretch` grew it.
    void Moved(HWND control, int delta, bool horizontal, bool stretch);

    // Places every control's window for a client of width x height cells, and answers the client size the
    // controls were placed for: that size, or more when they need more.
    SIZE Place(int width, int height);

private:
    struct Control {
        HWND hwnd;
        ControlKind kind;
        DWORD style;
        ControlShape shape;
    };

    std::vector<Control> controls_;
    int templateCx_ = 0;
    int templateCy_ = 0;
    int unitsCx_ = 0;  // the client size the controls' units are laid out for
    int unitsCy_ = 0;
};

}  // namespace afx
