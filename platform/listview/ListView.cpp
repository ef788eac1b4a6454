#include "platform/listview/ListView.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace listview {

namespace {

// Copies as much of `text` as fits with its terminator; the number of units copied.
int CopyText(const CString& text, LPWSTR buffer, int size) {
    if (buffer == nullptr || size < 1)
        return 0;
    const int length = std::min(text.GetLength(), size - 1);
    std::copy_n(text.GetString(), length, buffer);
    buffer[length] = u'\0';
    return static_cast<int>(length);
}

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

}  // namespace

LRESULT ListView::Notify(NMHDR& header, UINT code) {
    header.hwndFrom = m_hWnd;
    header.idFrom = m_id;
    header.code = code;
    return m_parent != nullptr ? SendMessageW(m_parent, WM_NOTIFY, m_id, reinterpret_cast<LPARAM>(&header)) : 0;
}

void ListView::NotifyItem(UINT code, int row, int subItem) {
    NMLISTVIEW note{};
    note.iItem = row;
    note.iSubItem = subItem;
    note.lParam = row >= 0 && row < Count() ? m_rows.At(row).data : 0;
    Notify(note.hdr, code);
}

bool ListView::SingleSelection() const { return (GetWindowLongW(m_hWnd, GWL_STYLE) & LVS_SINGLESEL) != 0; }

bool ListView::ChangeItem(int row, ItemChange change) {
    if (m_destroyed || row < 0 || row >= Count())
        return false;
    const Row before = m_rows.At(row);
    const UINT newState = (before.state & ~change.stateMask) | (change.state & change.stateMask);
    UINT changed = 0;
    if ((change.mask & LVIF_STATE) && newState != before.state)
        changed |= LVIF_STATE;
    if ((change.mask & LVIF_PARAM) && change.data != before.data)
        changed |= LVIF_PARAM;
    if ((change.mask & LVIF_TEXT) && change.text != m_rows.Text(row, 0))
        changed |= LVIF_TEXT;
    if (changed == 0)
        return true;

    NMLISTVIEW note{};
    note.iItem = row;
    note.uChanged = changed;
    if (changed & LVIF_STATE) {
        note.uOldState = before.state;
        note.uNewState = newState;
    }
    note.lParam = before.data;
    if (Notify(note.hdr, LVN_ITEMCHANGING) != 0 || m_destroyed || row >= Count())
        return false;

    if (changed & LVIF_STATE)
        m_rows.SetState(row, (m_rows.At(row).state & ~change.stateMask) | (change.state & change.stateMask));
    if (changed & LVIF_PARAM)
        m_rows.SetData(row, change.data);
    if (changed & LVIF_TEXT)
        m_rows.SetText(row, 0, std::move(change.text));
    Redraw();
    note.lParam = m_rows.At(row).data;
    Notify(note.hdr, LVN_ITEMCHANGED);
    return !m_destroyed;
}

UINT ListView::TakeFromOthers(int row, UINT bits) {
    std::vector<int> holders;
    if ((bits & LVIS_FOCUSED) && m_rows.Focused() >= 0 && m_rows.Focused() != row)
        holders.push_back(m_rows.Focused());
    if (bits & LVIS_SELECTED) {
        for (int other : m_rows.SelectedRows()) {
            if (other != row)
                holders.push_back(other);
        }
    }
    std::sort(holders.begin(), holders.end());
    holders.erase(std::unique(holders.begin(), holders.end()), holders.end());
    for (int other : holders) {
        if (m_destroyed)
            return bits;
        if (other < Count())
            ChangeItem(other, StateChange(0, m_rows.At(other).state & bits));
    }

    UINT held = 0;
    if ((bits & LVIS_FOCUSED) && m_rows.Focused() >= 0 && m_rows.Focused() != row)
        held |= LVIS_FOCUSED;
    const bool rowSelected = row < Count() && (m_rows.At(row).state & LVIS_SELECTED);
    if ((bits & LVIS_SELECTED) && m_rows.SelectedCount() > (rowSelected ? 1 : 0))
        held |= LVIS_SELECTED;
    return held;
}

bool ListView::SetOneItemState(int row, UINT state, UINT mask, const ItemChange* rest) {
    if (row < 0 || row >= Count())
        return false;
    UINT take = 0;
    if ((mask & state & LVIS_SELECTED) && SingleSelection())
        take |= LVIS_SELECTED;
    if (mask & state & LVIS_FOCUSED)
        take |= LVIS_FOCUSED;
    // What another row keeps (its parent said no) this row cannot have: one focus, and one selection when
    // the list is single-selection.
    if (take != 0)
        mask &= ~TakeFromOthers(row, take);
    ItemChange change = rest != nullptr ? *rest : ItemChange{};
    change.mask |= LVIF_STATE;
    change.state = state;
    change.stateMask = mask;
    return ChangeItem(row, std::move(change));
}

int ListView::InsertItem(const LVITEMW& item, CString text) {
    if (item.iSubItem != 0 || item.iItem < 0)
        return -1;
    const int at = std::min(item.iItem, Count());
    Row row;
    if (item.mask & LVIF_PARAM)
        row.data = item.lParam;
    if (item.mask & LVIF_STATE)
        row.state = item.state & item.stateMask;
    if (CheckBoxes() && (row.state & LVIS_STATEIMAGEMASK) == 0)
        row.state |= INDEXTOSTATEIMAGEMASK(1);
    // A row comes in quietly: the focus and a single selection it brings are taken from the others quietly too.
    if ((row.state & LVIS_FOCUSED) && m_rows.Focused() >= 0)
        m_rows.SetState(m_rows.Focused(), m_rows.At(m_rows.Focused()).state & ~LVIS_FOCUSED);
    if ((row.state & LVIS_SELECTED) && SingleSelection()) {
        for (int other : m_rows.SelectedRows())
            m_rows.SetState(other, m_rows.At(other).state & ~LVIS_SELECTED);
    }
    m_rows.Insert(at, row, (item.mask & LVIF_TEXT) ? std::move(text) : CString());
    Redraw();
    NotifyItem(LVN_INSERTITEM, at, 0);
    return at;
}

bool ListView::DeleteItem(int row) {
    if (row < 0 || row >= Count())
        return false;
    NotifyItem(LVN_DELETEITEM, row, 0);
    if (m_destroyed || row >= Count())
        return false;
    m_rows.Erase(row);
    ClampTop();
    Redraw();
    return true;
}

bool ListView::DeleteAllItems() {
    if (Count() == 0)
        return true;
    NMLISTVIEW note{};
    note.iItem = -1;
    if (Notify(note.hdr, LVN_DELETEALLITEMS) == 0) {
        for (int row = 0; row < Count() && !m_destroyed; ++row)
            NotifyItem(LVN_DELETEITEM, row, 0);
    }
    if (m_destroyed)
        return false;
    m_rows.Clear();
    m_top = 0;
    Redraw();
    return true;
}

bool ListView::SetItem(const LVITEMW& item) {
    if (item.iItem < 0 || item.iItem >= Count())
        return false;
    if (item.iSubItem != 0)
        return (item.mask & LVIF_TEXT) ? SetItemText(item.iItem, item.iSubItem, item.pszText) : false;
    ItemChange change;
    change.mask = item.mask & (LVIF_TEXT | LVIF_PARAM);
    change.data = item.lParam;
    if (item.mask & LVIF_TEXT)
        change.text = item.pszText;
    if (item.mask & LVIF_STATE)
        return SetOneItemState(item.iItem, item.state, item.stateMask, &change);
    return ChangeItem(item.iItem, std::move(change));
}

bool ListView::GetItem(LVITEMW& item) const {
    if (item.iItem < 0 || item.iItem >= Count() || item.iSubItem < 0)
        return false;
    const Row row = m_rows.At(item.iItem);
    if (item.mask & LVIF_TEXT)
        CopyText(m_rows.Text(item.iItem, item.iSubItem), item.pszText, item.cchTextMax);
    if (item.mask & LVIF_PARAM)
        item.lParam = row.data;
    if (item.mask & LVIF_STATE)
        item.state = row.state & item.stateMask;
    return true;
}

bool ListView::SetItemText(int row, int subItem, CString text) {
    if (row < 0 || row >= Count() || subItem < 0)
        return false;
    if (subItem == 0)
        return ChangeItem(row, ItemChange{LVIF_TEXT, 0, 0, 0, std::move(text)});
    if (subItem >= ColumnCount())
        return false;
    m_rows.SetText(row, subItem, std::move(text));
    Redraw();
    return true;
}

int ListView::GetItemText(int row, LVITEMW& item) const {
    if (row < 0 || row >= Count())
        return 0;
    return CopyText(m_rows.Text(row, item.iSubItem), item.pszText, item.cchTextMax);
}

const CString* ListView::ItemString(int row, int subItem) const {
    return row >= 0 && row < Count() ? &m_rows.Text(row, subItem) : nullptr;
}

bool ListView::SetItemState(int row, UINT state, UINT mask) {
    if (row != -1)
        return SetOneItemState(row, state, mask, nullptr);
    // Every row at once cannot take the one focus, nor a selection the list keeps single.
    if (state & LVIS_FOCUSED)
        mask &= ~LVIS_FOCUSED;
    if ((state & LVIS_SELECTED) && SingleSelection())
        mask &= ~LVIS_SELECTED;
    for (int each = 0; each < Count() && !m_destroyed; ++each)
        ChangeItem(each, StateChange(state, mask));
    return !m_destroyed;
}

UINT ListView::GetItemState(int row, UINT mask) const {
    return row >= 0 && row < Count() ? m_rows.At(row).state & mask : 0;
}

int ListView::GetNextItem(int start, LPARAM flags) {
    start = std::max(start, -1);
    if (flags & LVNI_FOCUSED) {
        const int focused = m_rows.Focused();
        const bool fits = focused > start && (!(flags & LVNI_SELECTED) || (m_rows.At(focused).state & LVIS_SELECTED));
        return fits ? focused : -1;
    }
    if (flags & LVNI_SELECTED)
        return m_rows.NextSelected(start);
    return start + 1 < Count() ? start + 1 : -1;
}

int ListView::FindItem(int start, const LVFINDINFOW& find) {
    start = std::max(start, -1);
    if (find.flags & LVFI_PARAM)
        return m_rows.FindData(find.lParam, start);
    if ((find.flags & LVFI_STRING) && find.psz != nullptr) {
        const std::u16string_view wanted(find.psz);
        for (int row = start + 1; row < Count(); ++row) {
            if (EqualsIgnoringAsciiCase(TextView(m_rows.Text(row, 0)), wanted))
                return row;
        }
    }
    return -1;
}

bool ListView::Sort(PFNLVCOMPARE compare, LPARAM param, bool byIndex) {
    if (compare == nullptr)
        return false;
    // The rows stay where they are while the comparison runs, so a comparison given row indexes may ask the
    // list for their texts; the order found is applied afterwards.
    std::vector<int> order(static_cast<std::size_t>(Count()));
    std::iota(order.begin(), order.end(), 0);
    if (byIndex) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(a, b, param) < 0; });
    } else {
        // The item data side by side: each comparison reads two neighbours instead of two rows anywhere.
        std::vector<LPARAM> data(order.size());
        for (int row = 0; row < Count(); ++row)
            data[static_cast<std::size_t>(row)] = m_rows.At(row).data;
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return compare(data[static_cast<std::size_t>(a)], data[static_cast<std::size_t>(b)], param) < 0;
        });
    }
    m_rows.Reorder(order);
    Redraw();
    return true;
}

DWORD ListView::SetExtendedStyle(DWORD mask, DWORD style) {
    const DWORD old = m_exStyle;
    if (mask == 0)
        mask = ~DWORD{0};
    m_exStyle = (old & ~mask) | (style & mask);
    // Rows that had no check box get an unticked one.
    if (CheckBoxes() && !(old & LVS_EX_CHECKBOXES)) {
        for (int row = 0; row < Count() && !m_destroyed; ++row) {
            if ((m_rows.At(row).state & LVIS_STATEIMAGEMASK) == 0)
                ChangeItem(row, StateChange(INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK));
        }
    }
    Redraw();
    return old;
}

}  // namespace listview
