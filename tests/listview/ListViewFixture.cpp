#include "tests/listview/ListViewFixture.h"

namespace lvtest {

void ListViewTest::SetUp() { m_parent = CreateMessageWindow(&ParentProc, this); }

void ListViewTest::TearDown() {
    m_answer = nullptr;
    DestroyWindow(m_parent);
}

LRESULT ListViewTest::ParentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* test = static_cast<ListViewTest*>(GetWindowUserData(hWnd));
    if (message == WM_NOTIFY && test != nullptr)
        return test->OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

LRESULT ListViewTest::OnNotify(const NMHDR& header) {
    EXPECT_EQ(header.idFrom, kListId);
    EXPECT_EQ(header.hwndFrom, m_list);
    Note note;
    note.code = header.code;
    if (header.code == LVN_KEYDOWN) {
        note.key = reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey;
    } else if (header.code == NM_CLICK || header.code == NM_DBLCLK) {
        const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
        note.item = activate.iItem;
        note.subItem = activate.iSubItem;
        note.point = activate.ptAction;
        note.data = activate.lParam;
    } else {
        const auto& list = reinterpret_cast<const NMLISTVIEW&>(header);
        note.item = list.iItem;
        note.subItem = list.iSubItem;
        note.changed = list.uChanged;
        note.oldState = list.uOldState;
        note.newState = list.uNewState;
        note.data = list.lParam;
    }
    m_notes.push_back(note);
    return m_answer ? m_answer(header) : 0;
}

void ListViewTest::CreateList(DWORD style, int width, int height) {
    m_list = CreateWindowExW(0, u"SysListView32", u"", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | style, 0, 0,
                             width, height, m_parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListId)),
                             nullptr, nullptr);
    ASSERT_NE(m_list, nullptr);
}

void ListViewTest::AddColumns(std::initializer_list<const char16_t*> headings, int width) {
    int index = 0;
    for (const char16_t* heading : headings) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<LPWSTR>(heading);
        column.cx = width;
        ASSERT_EQ(Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)), index);
        ++index;
    }
}

int ListViewTest::Insert(int at, const std::u16string& text, LPARAM data) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = at;
    item.pszText = const_cast<LPWSTR>(text.c_str());
    item.lParam = data;
    return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListViewTest::AddRows(int count) {
    for (int row = 0; row < count; ++row) {
        std::u16string text = u"row ";
        for (char c : std::to_string(row))
            text += static_cast<char16_t>(c);
        Insert(row, text, 1000 + row);
    }
    m_notes.clear();
}

LRESULT ListViewTest::Send(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(m_list, message, wParam, lParam);
}

UINT ListViewTest::State(int row, UINT mask) {
    return static_cast<UINT>(Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), static_cast<LPARAM>(mask)));
}

void ListViewTest::SetState(int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(static_cast<INT_PTR>(row)), reinterpret_cast<LPARAM>(&item));
}

std::u16string ListViewTest::Text(int row, int column) {
    char16_t buffer[512];
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 512;
    const auto length = Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return std::u16string(buffer, static_cast<std::size_t>(length));
}

int ListViewTest::Next(int start, LPARAM flags) {
    return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(static_cast<INT_PTR>(start)), flags));
}

DWORD ListViewTest::SetExStyle(DWORD style) {
    return static_cast<DWORD>(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
}

void ListViewTest::Click(int x, int y) {
    Send(WM_LBUTTONDOWN, 0, MAKELPARAM(static_cast<UINT_PTR>(x), static_cast<UINT_PTR>(y)));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(static_cast<UINT_PTR>(x), static_cast<UINT_PTR>(y)));
}

void ListViewTest::DoubleClick(int x, int y) {
    Click(x, y);
    Send(WM_LBUTTONDBLCLK, 0, MAKELPARAM(static_cast<UINT_PTR>(x), static_cast<UINT_PTR>(y)));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(static_cast<UINT_PTR>(x), static_cast<UINT_PTR>(y)));
}

void ListViewTest::Key(WORD key) { Send(WM_KEYDOWN, key, 0); }

std::vector<Note> ListViewTest::NotesOf(UINT code) const {
    std::vector<Note> found;
    for (const Note& note : m_notes) {
        if (note.code == code)
            found.push_back(note);
    }
    return found;
}

std::vector<UINT> ListViewTest::Codes() const {
    std::vector<UINT> codes;
    for (const Note& note : m_notes)
        codes.push_back(note.code);
    return codes;
}

}  // namespace lvtest
