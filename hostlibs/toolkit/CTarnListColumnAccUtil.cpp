#include "contracts/host/CTarnListColumnAccUtil.h"

#include "platform/afx/CListCtrl.h"

CTarnListColumnAccUtil::CTarnListColumnAccUtil() = default;

CTarnListColumnAccUtil::~CTarnListColumnAccUtil() = default;

void CTarnListColumnAccUtil::setColumnSize(CListCtrl& list, CWnd*) {
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    for (int index = 0; list.GetColumn(index, &column); ++index)
        list.SetColumnWidth(index, static_cast<int>(LVSCW_AUTOSIZE_USEHEADER));
}
