#include "contracts/host/CTarnAccListCtrl.h"

IMPLEMENT_DYNAMIC(CTarnAccListCtrl, CListCtrl)

CTarnAccListCtrl::CTarnAccListCtrl() = default;

CTarnAccListCtrl::~CTarnAccListCtrl() = default;
