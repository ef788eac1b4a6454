#pragma once

#include "platform/win/CommCtrl.h"
#include "platform/win/WinUser.h"
#include "platform/win/WindowInput.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace lvtest {

inline constexpr UINT kListId = 100;

// One WM_NOTIFY the parent received, with the fields of the structure its code uses.
struct Note {
    UINT code = 0;
    int item = 0;
    int subItem = 0;
    UINT changed = 0;
    UINT oldState = 0;
    UINT newState = 0;
    LPARAM data = 0;
    POINT point{};
    WORD key = 0;
};

// A parent window holding a real list view as child kListId. The parent records every notification and
// answers it through `answer` (0 unless a test says otherwise), so a test can veto a change or act on the
// list from inside a notification.
class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A list of `width` x `height` cells with a border (so its client area is two cells smaller each way).
    void CreateList(DWORD style, int width = 40, int height = 12);
    void AddColumns(std::initializer_list<const char16_t*> headings, int width = 10);
    // Rows "row 0", "row 1"... with item data 1000 + index.
    void AddRows(int count);
    int Insert(int at, const std::u16string& text, LPARAM data = 0);

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    UINT State(int row, UINT mask = ~0U);
    void SetState(int row, UINT state, UINT mask);
    std::u16string Text(int row, int column = 0);
    int Next(int start, LPARAM flags);
    DWORD SetExStyle(DWORD style);

    // The user, in client cells of the list.
    void Click(int x, int y);
    void DoubleClick(int x, int y);
    void Key(WORD key);

    // The notifications with this code, and the codes of all of them in order.
    std::vector<Note> NotesOf(UINT code) const;
    std::vector<UINT> Codes() const;

    HWND m_parent = nullptr;
    HWND m_list = nullptr;
    std::vector<Note> m_notes;
    std::function<LRESULT(const NMHDR&)> m_answer;

private:
    static LRESULT ParentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnNotify(const NMHDR& header);
};

}  // namespace lvtest
