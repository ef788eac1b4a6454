#include "platform/win/WinUser.h"
#include "tests/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using wintest::Handler;

class WindowTreeTest : public wintest::WinTest {};

// Every window made here logs its messages under its name into one shared log.
struct Logged {
    std::string name;
    Handler handler;
};

class MessageLog {
public:
    HWND Top(const std::string& name) { return wintest::CreateHandlerWindow(Add(name)); }
    HWND Child(HWND parent, UINT id, const std::string& name) {
        return CreateChildWindow(parent, id, &Procedure, &Add(name));
    }

    std::vector<std::string> entries;

private:
    static LRESULT Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        return (*static_cast<Handler*>(GetWindowUserData(hWnd)))(hWnd, message, wParam, lParam);
    }

    Handler& Add(const std::string& name) {
        m_windows.push_back(std::make_unique<Handler>([this, name](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
            if (message == WM_DESTROY)
                entries.push_back(name + " destroy");
            else if (message == WM_NCDESTROY)
                entries.push_back(name + " ncdestroy");
            return 0;
        }));
        return *m_windows.back();
    }

    std::vector<std::unique_ptr<Handler>> m_windows;
};

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

TEST_F(WindowTreeTest, ChildrenKeepCreationOrderAndAreFoundById) {
    MessageLog log;
    HWND parent = log.Top("parent");
    HWND ok = log.Child(parent, 1, "ok");
    HWND cancel = log.Child(parent, 2, "cancel");
    HWND again = log.Child(parent, 1, "again");
    HWND nested = log.Child(cancel, 7, "nested");
    ASSERT_NE(nested, nullptr);

    EXPECT_EQ(ChildrenOf(parent), (std::vector<HWND>{ok, cancel, again}));
    EXPECT_EQ(ChildrenOf(cancel), std::vector<HWND>{nested});
    EXPECT_EQ(GetDlgItem(parent, 1), ok);  // the first of two with one id
    EXPECT_EQ(GetDlgItem(parent, 2), cancel);
    EXPECT_EQ(GetDlgItem(parent, 7), nullptr);  // direct children only
    EXPECT_EQ(GetDlgItem(cancel, 7), nested);
    EXPECT_EQ(GetDlgCtrlID(cancel), 2);
    EXPECT_EQ(GetDlgCtrlID(parent), 0);
    EXPECT_EQ(GetParent(nested), cancel);
    EXPECT_EQ(GetParent(parent), nullptr);
    EXPECT_EQ(GetWindow(parent, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetWindowThreadProcessId(nested, nullptr), GetWindowThreadProcessId(parent, nullptr));
    DestroyWindow(parent);
}

TEST_F(WindowTreeTest, ChildNeedsALiveParentOfTheCallingThread) {
    MessageLog log;
    HWND parent = log.Top("parent");
    EXPECT_EQ(CreateChildWindow(parent, 1, nullptr, nullptr), nullptr);
    EXPECT_EQ(CreateChildWindow(nullptr, 1, &DefWindowProcW, nullptr), nullptr);

    HWND fromOtherThread = reinterpret_cast<HWND>(1);
    wintest::TestThread other([&] { fromOtherThread = CreateChildWindow(parent, 1, &DefWindowProcW, nullptr); });
    other.Join();
    EXPECT_EQ(fromOtherThread, nullptr);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);

    DestroyWindow(parent);
    EXPECT_EQ(CreateChildWindow(parent, 1, &DefWindowProcW, nullptr), nullptr);
}

TEST_F(WindowTreeTest, ParentHearsDestroyFirstAndChildrenDieWholeBeforeItsLastMessage) {
    MessageLog log;
    HWND parent = log.Top("parent");
    HWND first = log.Child(parent, 1, "first");
    HWND grandchild = log.Child(first, 3, "grandchild");
    HWND second = log.Child(parent, 2, "second");

    ASSERT_TRUE(DestroyWindow(parent));
    EXPECT_EQ(log.entries, (std::vector<std::string>{"parent destroy", "first destroy", "grandchild destroy",
                                                     "grandchild ncdestroy", "first ncdestroy", "second destroy",
                                                     "second ncdestroy", "parent ncdestroy"}));
    for (HWND hWnd : {parent, first, grandchild, second})
        EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(GetDlgItem(parent, 1), nullptr);
}

TEST_F(WindowTreeTest, DestroyedChildLeavesItsSiblingsAndParentAlone) {
    MessageLog log;
    HWND parent = log.Top("parent");
    HWND first = log.Child(parent, 1, "first");
    HWND middle = log.Child(parent, 2, "middle");
    HWND last = log.Child(parent, 3, "last");

    ASSERT_TRUE(DestroyWindow(middle));
    EXPECT_TRUE(IsWindow(parent));
    EXPECT_EQ(ChildrenOf(parent), (std::vector<HWND>{first, last}));
    EXPECT_EQ(GetDlgItem(parent, 2), nullptr);
    EXPECT_EQ(GetParent(middle), nullptr);

    log.entries.clear();
    DestroyWindow(parent);
    EXPECT_EQ(log.entries.size(), 6u);  // the dead child hears nothing more
}

TEST_F(WindowTreeTest, ChildDestroyedByItsParentsHandlerDiesOnce) {
    HWND child = nullptr;
    int childMessages = 0;
    Handler childHandler = [&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        childMessages += message == WM_DESTROY || message == WM_NCDESTROY;
        return 0;
    };
    Handler parentHandler = [&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == WM_DESTROY)
            DestroyWindow(child);
        return 0;
    };
    HWND parent = wintest::CreateHandlerWindow(parentHandler);
    child = CreateChildWindow(
        parent, 1,
        [](HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
            return (*static_cast<Handler*>(GetWindowUserData(hWnd)))(hWnd, message, wParam, lParam);
        },
        &childHandler);

    ASSERT_TRUE(DestroyWindow(parent));
    EXPECT_EQ(childMessages, 2);
    EXPECT_FALSE(IsWindow(child));
}

TEST_F(WindowTreeTest, ChildrenDieWithTheirThread) {
    HWND parent = nullptr;
    HWND child = nullptr;
    wintest::TestThread thread([&] {
        parent = CreateMessageWindow(&DefWindowProcW, nullptr);
        child = CreateChildWindow(parent, 5, &DefWindowProcW, nullptr);
    });
    thread.Join();
    ASSERT_NE(child, nullptr);
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(GetDlgCtrlID(child), 0);
}

}  // namespace
