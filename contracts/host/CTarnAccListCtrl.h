#pragma once
#include "platform/afx/CListCtrl.h"

// The host's list control class. The dialog uses only what any report-view list control with check boxes
// offers.
class CTarnAccListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CTarnAccListCtrl)
public:
    CTarnAccListCtrl();
    ~CTarnAccListCtrl() override;
};
