#pragma once

class CListCtrl;
class CWnd;

// The host's column tool for list controls.
class CTarnListColumnAccUtil {
public:
    CTarnListColumnAccUtil();
    virtual ~CTarnListColumnAccUtil();

    // Fits each column of the list to its widest cell and its header. `parent` is not needed here.
    void setColumnSize(CListCtrl& list, CWnd* parent);
};
