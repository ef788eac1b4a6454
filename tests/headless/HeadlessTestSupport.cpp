#include "tests/headless/HeadlessTestSupport.h"

#include <string>

#include "platform/afx/DialogTemplate.h"
#include "platform/afx/ResourceSet.h"
#include "platform/win/ModalFrontEnd.h"
#include "platform/win/WinControls.h"

namespace headlesstest {

namespace {

int moduleImage;

// Cells to dialog units: 3 across and 8 down a cell.
DialogRect Cells(int x, int y, int width, int height) { return {x * 3, y * 8, width * 3, height * 8}; }

const ResourceSet& Resources() {
    static const ResourceSet resources{
        {DialogTemplate{
            kDialogId,
            u"Test",
            WS_POPUP | WS_CAPTION,
            40 * 3,
            14 * 8,
            DialogFont{9, u"Sans"},
            {
                {kNameLabel, ControlKind::Static, u"&Name:", Cells(0, 0, 8, 1), WS_VISIBLE},
                {kEdit, ControlKind::Edit, u"start", Cells(8, 0, 20, 1), WS_VISIBLE | WS_BORDER | WS_TABSTOP},
                {kCombo, ControlKind::ComboBox, u"", Cells(0, 1, 12, 4), WS_VISIBLE | CBS_DROPDOWNLIST | WS_TABSTOP},
                {kCheck, ControlKind::CheckBox, u"&Check", Cells(14, 1, 10, 1),
                 WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP},
                {kList, ControlKind::ListView, u"", Cells(0, 5, 40, 6),
                 WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP},
                {IDOK, ControlKind::PushButton, u"OK", Cells(0, 12, 8, 1), WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP},
                {IDCANCEL, ControlKind::PushButton, u"Cancel", Cells(10, 12, 10, 1),
                 WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP},
                {kStop, ControlKind::PushButton, u"&Stop", Cells(22, 12, 8, 1),
                 WS_VISIBLE | WS_DISABLED | BS_PUSHBUTTON | WS_TABSTOP},
            },
        }},
        {},
    };
    return resources;
}

std::u16string Numbered(const char16_t* prefix, int n) {
    std::u16string text(prefix);
    for (char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    return text;
}

}  // namespace

std::vector<Heard> TestDialog::Of(UINT message, UINT code) const {
    std::vector<Heard> found;
    for (const Heard& h : heard)
        if (h.message == message && h.code == code)
            found.push_back(h);
    return found;
}

BOOL TestDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    HWND combo = ::GetDlgItem(m_hWnd, kCombo);
    for (int item = 0; item < kItems; ++item)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Numbered(u"Item ", item).c_str()));
    ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
    HWND list = ::GetDlgItem(m_hWnd, kList);
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    const char16_t* headings[] = {u"URL", u"State"};
    for (const char16_t* heading : headings) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 18;
        column.pszText = const_cast<LPWSTR>(heading);
        ::SendMessageW(list, LVM_INSERTCOLUMNW, 100, reinterpret_cast<LPARAM>(&column));
    }
    for (int row = 0; row < kRows; ++row) {
        const std::u16string url = Numbered(u"http://h/", row);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<LPWSTR>(url.c_str());
        ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        const std::u16string state = row % 2 == 0 ? u"OK" : u"外部";
        LVITEMW sub{};
        sub.iSubItem = 1;
        sub.pszText = const_cast<LPWSTR>(state.c_str());
        ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
    }
    heard.clear();
    return TRUE;
}

LRESULT TestDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && lParam != 0) {
        heard.push_back({WM_COMMAND, LOWORD(wParam), HIWORD(wParam), -1});
    } else if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        int item = -1;
        if (header->code == LVN_ITEMCHANGING || header->code == LVN_ITEMCHANGED || header->code == LVN_COLUMNCLICK)
            item = header->code == LVN_COLUMNCLICK ? reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem
                                                   : reinterpret_cast<const NMLISTVIEW*>(lParam)->iItem;
        else if (header->code == NM_CLICK || header->code == NM_DBLCLK)
            item = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
        heard.push_back({WM_NOTIFY, static_cast<int>(header->idFrom), header->code, item});
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (header->code == LVN_ITEMCHANGING && change->iItem == vetoTickOfRow &&
            (change->uNewState & LVIS_STATEIMAGEMASK) != (change->uOldState & LVIS_STATEIMAGEMASK))
            return TRUE;
    } else if (message >= 0x8000 && onMessage) {  // WM_APP
        onMessage(message, wParam);
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void HeadlessTest::SetUp() {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(&moduleImage);
    AfxRegisterModuleResources(instance, &Resources());
    ASSERT_TRUE(AfxInitExtensionModule(module_, instance));
    new CDynLinkLibrary(module_);
    ASSERT_TRUE(owner_.CreateMessageOnly());
}

void HeadlessTest::TearDown() { AfxTermExtensionModule(module_, TRUE); }

INT_PTR HeadlessTest::Run(std::vector<headless::HeadlessFrontEnd::Step> steps) {
    for (headless::HeadlessFrontEnd::Step& step : steps)
        frontEnd_.AddStep(std::move(step));
    win::SetModalFrontEnd(&frontEnd_);
    const INT_PTR result = dialog_.DoModal();
    win::SetModalFrontEnd(nullptr);
    return result;
}

headless::HeadlessFrontEnd::Step HeadlessTest::Do(std::function<void(headless::HeadlessFrontEnd&)> action) {
    return [action = std::move(action)](headless::HeadlessFrontEnd& frontEnd) {
        action(frontEnd);
        return true;
    };
}

}  // namespace headlesstest
