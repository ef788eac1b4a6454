#include "platform/listview/ListView.h"
#include "platform/afx/ListViewMessages.h"
#include "platform/win/WindowInput.h"

// The window procedure of "SysListView32": the messages mapped onto the list's own object.

namespace listview {

namespace {

ListView* ListOf(HWND hWnd) { return reinterpret_cast<ListView*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA)); }

template <typename T>
T* Pointer(LPARAM lParam) {
    return reinterpret_cast<T*>(lParam);
}

LRESULT Handle(ListView& list, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
    case LVM_GETITEMCOUNT:
        return list.Count();
    case LVM_GETSELECTEDCOUNT:
        return list.SelectedCount();
    case LVM_INSERTITEMW:
        return lParam != 0 ? list.InsertItem(*Pointer<LVITEMW>(lParam), Pointer<LVITEMW>(lParam)->pszText) : -1;
    case LVM_INSERTITEMSTRING: {
        if (lParam == 0)
            return -1;
        LVITEMW item = Pointer<LVSTRINGITEMW>(lParam)->item;
        item.mask |= LVIF_TEXT;
        return list.InsertItem(item, Pointer<LVSTRINGITEMW>(lParam)->text);
    }
    case LVM_DELETEITEM:
        return list.DeleteItem(index);
    case LVM_DELETEALLITEMS:
        return list.DeleteAllItems();
    case LVM_SETITEMW:
        return lParam != 0 && list.SetItem(*Pointer<LVITEMW>(lParam));
    case LVM_GETITEMW:
        return lParam != 0 && list.GetItem(*Pointer<LVITEMW>(lParam));
    case LVM_SETITEMTEXTW:
        return lParam != 0 && list.SetItemText(index, Pointer<LVITEMW>(lParam)->iSubItem, Pointer<LVITEMW>(lParam)->pszText);
    case LVM_SETITEMSTRING:
        return lParam != 0 && list.SetItemText(index, Pointer<LVSTRINGITEMW>(lParam)->item.iSubItem,
                                               Pointer<LVSTRINGITEMW>(lParam)->text);
    case LVM_GETITEMSTRING: {
        const CString* text = lParam != 0 ? list.ItemString(index, Pointer<LVSTRINGITEMW>(lParam)->item.iSubItem) : nullptr;
        if (text == nullptr)
            return FALSE;
        Pointer<LVSTRINGITEMW>(lParam)->text = *text;
        return TRUE;
    }
    case LVM_GETITEMTEXTW:
        return lParam != 0 ? list.GetItemText(index, *Pointer<LVITEMW>(lParam)) : 0;
    case LVM_SETITEMSTATE:
        return lParam != 0 && list.SetItemState(index, Pointer<LVITEMW>(lParam)->state,
                                                 Pointer<LVITEMW>(lParam)->stateMask);
    case LVM_GETITEMSTATE:
        return list.GetItemState(index, static_cast<UINT>(lParam));
    case LVM_GETNEXTITEM:
        return list.GetNextItem(index, lParam);
    case LVM_FINDITEMW:
        return lParam != 0 ? list.FindItem(index, *Pointer<LVFINDINFOW>(lParam)) : -1;
    case LVM_SORTITEMS:
    case LVM_SORTITEMSEX:
        return list.Sort(reinterpret_cast<PFNLVCOMPARE>(lParam), static_cast<LPARAM>(wParam),
                         message == LVM_SORTITEMSEX);
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
        return list.SetExtendedStyle(static_cast<DWORD>(wParam), static_cast<DWORD>(lParam));
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return list.ExtendedStyle();
    case LVM_INSERTCOLUMNW:
        return lParam != 0 ? list.InsertColumn(index, *Pointer<LVCOLUMNW>(lParam)) : -1;
    case LVM_SETCOLUMNW:
        return lParam != 0 && list.SetColumn(index, *Pointer<LVCOLUMNW>(lParam));
    case LVM_GETCOLUMNW:
        return lParam != 0 && list.GetColumn(index, *Pointer<LVCOLUMNW>(lParam));
    case LVM_DELETECOLUMN:
        return list.DeleteColumn(index);
    case LVM_GETCOLUMNCOUNT:
        return list.ColumnCount();
    case LVM_GETCOLUMNWIDTH:
        return list.GetColumnWidth(index);
    case LVM_SETCOLUMNWIDTH:
        return list.SetColumnWidth(index, lParam);
    case LVM_GETTOPINDEX:
        return list.TopIndex();
    case LVM_GETCOUNTPERPAGE:
        return list.CountPerPage();
    case LVM_ENSUREVISIBLE:
        return list.EnsureVisible(index);
    case LVM_SCROLL:
        return list.Scroll(static_cast<int>(wParam), static_cast<int>(lParam));
    case LVM_HITTEST:
        return lParam != 0 ? list.HitTest(*Pointer<LVHITTESTINFO>(lParam)) : -1;
    case LVM_GETITEMRECT:
        return lParam != 0 && list.GetItemRect(index, *Pointer<RECT>(lParam));
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        list.OnButtonDown(lParam, message == WM_LBUTTONDBLCLK);
        return 0;
    case WM_KEYDOWN:
        list.OnKeyDown(static_cast<WORD>(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        list.OnWheel(static_cast<short>(HIWORD(wParam)));
        return 0;
    case WM_MOUSEHWHEEL:
        if (static_cast<short>(HIWORD(wParam)) != 0)
            list.ScrollToColumn(static_cast<short>(HIWORD(wParam)) < 0);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SIZE:
        list.ClampScroll();
        list.Redraw();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        list.Redraw();
        return 0;
    case WM_DESTROY:
        // The parent hears of every row going, as it does for LVM_DELETEALLITEMS, and may free their data.
        list.DeleteAllItems();
        return 0;
    case WM_NCDESTROY:
        list.MarkDestroyed();
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        return 0;
    default:
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
}

LRESULT ListViewProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new ListView(hWnd)));
        return 0;
    }
    ListView* list = ListOf(hWnd);
    if (list == nullptr)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    // A notification may destroy the window while this message is handled: the object then lives on, marked,
    // until the outermost message that reached it returns.
    ++list->Depth();
    const LRESULT result = Handle(*list, hWnd, message, wParam, lParam);
    if (--list->Depth() == 0 && list->Destroyed())
        delete list;
    return result;
}

struct ClassRegistration {
    ClassRegistration() {
        const WNDCLASSW windowClass{0, &ListViewProc, u"SysListView32"};
        RegisterClassW(&windowClass);
    }
};

const ClassRegistration registration;

}  // namespace

}  // namespace listview
