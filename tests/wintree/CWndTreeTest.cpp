#include "platform/afx/CString.h"
#include "platform/afx/CWnd.h"
#include "platform/win/WindowPaint.h"
#include "tests/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class CWndTreeTest : public wintest::WinTest {
protected:
    void TearDown() override { CWnd::DeleteTempMap(); }
};

// Records the tree messages that reach the object.
class CRecordingWnd : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_ENABLE || message == WM_SIZE || message == WM_DESTROY)
            messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<UINT> messages;
};

TEST_F(CWndTreeTest, ChildObjectsAreFoundAndGetTheirMessages) {
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateMessageOnly());
    CRecordingWnd button;
    ASSERT_TRUE(button.CreateChild(&dialog, 1));
    EXPECT_FALSE(button.CreateChild(&dialog, 2));  // it has a window already

    EXPECT_EQ(dialog.GetDlgItem(1), &button);
    EXPECT_EQ(button.GetParent(), &dialog);
    EXPECT_EQ(button.GetDlgCtrlID(), 1);
    EXPECT_EQ(dialog.GetDlgItem(9), nullptr);
    EXPECT_EQ(dialog.GetParent(), nullptr);

    EXPECT_EQ(button.EnableWindow(FALSE), FALSE);
    EXPECT_FALSE(button.IsWindowEnabled());
    button.MoveWindow(0, 1, 8, 1);
    EXPECT_EQ(button.messages, (std::vector<UINT>{WM_ENABLE, WM_SIZE}));

    RECT rect{};
    button.GetWindowRect(&rect);
    EXPECT_EQ(rect.top, 1);
    EXPECT_EQ(rect.right, 8);
    button.GetClientRect(&rect);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 8);
}

TEST_F(CWndTreeTest, ChildDiesWithItsParentObject) {
    CRecordingWnd button;
    HWND hButton = nullptr;
    {
        CWnd dialog;
        ASSERT_TRUE(dialog.CreateMessageOnly());
        ASSERT_TRUE(button.CreateChild(&dialog, 1));
        hButton = button.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hButton));
    EXPECT_EQ(button.m_hWnd, nullptr);
    EXPECT_EQ(button.messages, std::vector<UINT>{WM_DESTROY});

    CWnd orphan;
    EXPECT_FALSE(orphan.CreateChild(nullptr, 1));
}

TEST_F(CWndTreeTest, WindowWithoutObjectGetsOneTemporaryThatLeavesItAlive) {
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateMessageOnly());
    HWND hEdit = CreateChildWindow(dialog.m_hWnd, 7, &DefWindowProcW, nullptr);

    CWnd* pEdit = dialog.GetDlgItem(7);
    ASSERT_NE(pEdit, nullptr);
    EXPECT_EQ(pEdit->m_hWnd, hEdit);
    EXPECT_EQ(CWnd::FromHandlePermanent(hEdit), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(7), pEdit);  // the same temporary until the map is emptied
    EXPECT_EQ(pEdit->GetParent(), &dialog);

    pEdit->SetWindowText(u"https://例え.jp/");
    CString text;
    pEdit->GetWindowText(text);
    EXPECT_EQ(text, CString(u"https://例え.jp/"));
    ClearWindowDirty(hEdit);
    pEdit->Invalidate();
    EXPECT_TRUE(IsWindowDirty(hEdit));
    EXPECT_EQ(pEdit->ShowWindow(SW_HIDE), TRUE);
    EXPECT_FALSE(IsWindowVisible(hEdit));

    CWnd::DeleteTempMap();
    EXPECT_TRUE(IsWindow(hEdit));
    CWnd* pAgain = dialog.GetDlgItem(7);
    ASSERT_NE(pAgain, nullptr);
    EXPECT_EQ(pAgain->m_hWnd, hEdit);
}

TEST_F(CWndTreeTest, TextOfAWindowWithoutTextIsEmpty) {
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateMessageOnly());
    CString text(u"old");
    wnd.GetWindowText(text);
    EXPECT_TRUE(text.IsEmpty());
}

}  // namespace
