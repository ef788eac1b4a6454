#include "platform/win/CommandMessages.h"
#include "platform/win/WindowPaint.h"
#include "platform/win/WinUser.h"
#include "tests/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using wintest::Handler;

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Received&) const = default;
};

// A top-level window and one child of it; the child's WM_ENABLE and WM_SIZE are recorded.
class WindowStateTest : public wintest::WinTest {
protected:
    void SetUp() override {
        parent = wintest::CreateHandlerWindow(m_parentHandler);
        child = CreateChildWindow(parent, 100, &ChildProc, this);
        ASSERT_NE(child, nullptr);
    }
    void TearDown() override { DestroyWindow(parent); }

    HWND parent = nullptr;
    HWND child = nullptr;
    std::vector<Received> received;

private:
    static LRESULT ChildProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_ENABLE || message == WM_SIZE)
            static_cast<WindowStateTest*>(GetWindowUserData(hWnd))->received.push_back({message, wParam, lParam});
        return 0;
    }

    Handler m_parentHandler = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
};

TEST_F(WindowStateTest, EnableWindowAnswersThePreviousDisabledStateAndTellsOnlyChanges) {
    EXPECT_TRUE(IsWindowEnabled(child));
    EXPECT_EQ(EnableWindow(child, FALSE), FALSE);  // it was enabled
    EXPECT_FALSE(IsWindowEnabled(child));
    EXPECT_NE(EnableWindow(child, FALSE), FALSE);  // it was disabled already
    EXPECT_NE(EnableWindow(child, TRUE), FALSE);
    EXPECT_EQ(EnableWindow(child, 42), FALSE);  // any nonzero enables
    EXPECT_TRUE(IsWindowEnabled(child));
    EXPECT_EQ(received, (std::vector<Received>{{WM_ENABLE, FALSE, 0}, {WM_ENABLE, TRUE, 0}}));

    EnableWindow(parent, FALSE);
    EXPECT_TRUE(IsWindowEnabled(child));  // the answer is the window's own
}

TEST_F(WindowStateTest, TextRoundTripsAndIsCutToTheBuffer) {
    const std::u16string text = u"リンクを確認する";
    ASSERT_TRUE(SetWindowTextW(child, text.c_str()));
    EXPECT_EQ(GetWindowTextLengthW(child), 8);

    WCHAR whole[16];
    EXPECT_EQ(GetWindowTextW(child, whole, 16), 8);
    EXPECT_EQ(std::u16string(whole), text);

    WCHAR small[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_EQ(GetWindowTextW(child, small, 4), 3);
    EXPECT_EQ(std::u16string(small), u"リンク");

    WCHAR one[1] = {u'x'};
    EXPECT_EQ(GetWindowTextW(child, one, 1), 0);
    EXPECT_EQ(one[0], u'\0');
    EXPECT_EQ(GetWindowTextW(child, whole, 0), 0);
    EXPECT_EQ(GetWindowTextLengthW(parent), 0);  // each window has its own

    SetWindowTextW(child, nullptr);
    EXPECT_EQ(GetWindowTextLengthW(child), 0);
}

TEST_F(WindowStateTest, DeadWindowHasNoState) {
    DestroyWindow(child);
    WCHAR buffer[4] = {u'x'};
    RECT rect{};
    EXPECT_FALSE(SetWindowTextW(child, u"x"));
    EXPECT_EQ(GetWindowTextW(child, buffer, 4), 0);
    EXPECT_EQ(buffer[0], u'\0');
    EXPECT_FALSE(EnableWindow(child, FALSE));
    EXPECT_FALSE(IsWindowEnabled(child));
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_FALSE(MoveWindow(child, 0, 0, 1, 1, TRUE));
    EXPECT_FALSE(GetWindowRect(child, &rect));
    EXPECT_FALSE(InvalidateRect(child, nullptr, TRUE));
    EXPECT_FALSE(UpdateWindow(child));
    EXPECT_FALSE(IsWindowDirty(child));
}

TEST_F(WindowStateTest, MoveWindowPlacesInTheParentAndReportsNewSizes) {
    ASSERT_TRUE(MoveWindow(child, 2, 3, 10, 4, TRUE));
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(child, &rect));
    EXPECT_EQ((std::vector<LONG>{rect.left, rect.top, rect.right, rect.bottom}), (std::vector<LONG>{2, 3, 12, 7}));
    ASSERT_TRUE(GetClientRect(child, &rect));
    EXPECT_EQ((std::vector<LONG>{rect.left, rect.top, rect.right, rect.bottom}), (std::vector<LONG>{0, 0, 10, 4}));

    MoveWindow(child, 5, 5, 10, 4, TRUE);  // moved, same size: no WM_SIZE
    MoveWindow(child, 5, 5, -3, 300, TRUE);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0], (Received{WM_SIZE, SIZE_RESTORED, MAKELPARAM(10, 4)}));
    EXPECT_EQ(LOWORD(static_cast<UINT_PTR>(received[1].lParam)), 0);
    EXPECT_EQ(HIWORD(static_cast<UINT_PTR>(received[1].lParam)), 300);
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect.right, 5);
    EXPECT_FALSE(GetWindowRect(child, nullptr));
}

TEST_F(WindowStateTest, VisibilityNeedsEveryAncestorShown) {
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_NE(ShowWindow(parent, SW_HIDE), FALSE);  // it was visible
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_EQ(ShowWindow(parent, SW_HIDE), FALSE);
    ShowWindow(parent, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(child));
    ShowWindow(child, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_TRUE(IsWindowVisible(parent));
}

TEST_F(WindowStateTest, ChangesMarkWindowsForThePainter) {
    EXPECT_TRUE(IsWindowDirty(child));  // never painted
    auto clean = [&] {
        ClearWindowDirty(parent);
        ClearWindowDirty(child);
    };
    clean();
    EXPECT_FALSE(IsWindowDirty(child));

    SetWindowTextW(child, u"OK");
    EXPECT_TRUE(IsWindowDirty(child));
    EXPECT_FALSE(IsWindowDirty(parent));
    clean();
    EnableWindow(child, TRUE);  // no change
    MoveWindow(child, 1, 1, 5, 1, FALSE);
    EXPECT_FALSE(IsWindowDirty(child));
    EXPECT_TRUE(InvalidateRect(child, nullptr, TRUE));
    EXPECT_TRUE(UpdateWindow(child));
    EXPECT_TRUE(IsWindowDirty(child));  // the painter, not UpdateWindow, clears it
    clean();
    MoveWindow(child, 2, 1, 5, 1, TRUE);
    EXPECT_TRUE(IsWindowDirty(child));
    EXPECT_TRUE(IsWindowDirty(parent));  // the old place is uncovered
    clean();
    ShowWindow(child, SW_HIDE);
    EXPECT_TRUE(IsWindowDirty(parent));
    clean();
    EnableWindow(child, FALSE);
    EXPECT_TRUE(IsWindowDirty(child));
}

}  // namespace
