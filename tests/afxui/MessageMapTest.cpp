#include "platform/afx/CWnd.h"
#include "platform/win/CommCtrl.h"
#include "platform/win/CommandMessages.h"
#include "tests/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

namespace {

constexpr UINT IDC_OK = 1001;
constexpr UINT IDC_COMBO = 1002;
constexpr UINT IDC_LIST = 1003;
constexpr UINT IDC_BASE_ONLY = 1004;
constexpr UINT ID_FILE_SAVE = 2001;

constexpr UINT kAsk = WM_USER + 10;
constexpr UINT kBaseAsk = WM_USER + 11;
constexpr UINT kSelfDelete = WM_USER + 12;

// Three levels, the middle one with an empty map: lookups must walk through it to the base.
class CBaseWnd : public CWnd {
public:
    std::vector<std::string> calls;

    void OnOk() { calls.push_back("base ok"); }
    void OnBaseOnly() { calls.push_back("base only"); }
    void OnListClick(NMHDR* pNMHDR, LRESULT* pResult) {
        calls.push_back("base list click " + std::to_string(pNMHDR->idFrom));
        *pResult = 11;
    }
    LRESULT OnAsk(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam) + lParam; }
    LRESULT OnBaseAsk(WPARAM, LPARAM) { return 7; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_BN_CLICKED(IDC_OK, &CBaseWnd::OnOk)
    ON_BN_CLICKED(IDC_BASE_ONLY, &CBaseWnd::OnBaseOnly)
    ON_NOTIFY(NM_CLICK, IDC_LIST, &CBaseWnd::OnListClick)
    ON_MESSAGE(kAsk, &CBaseWnd::OnAsk)
    ON_MESSAGE(kBaseAsk, &CBaseWnd::OnBaseAsk)
END_MESSAGE_MAP()

class CMiddleWnd : public CBaseWnd {
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMiddleWnd, CBaseWnd)
END_MESSAGE_MAP()

class CDerivedWnd : public CMiddleWnd {
public:
    HWND lastNotifier = nullptr;

    void OnDerivedOk() { calls.push_back("derived ok"); }
    void OnSelChange() { calls.push_back("selchange"); }
    void OnSave() { calls.push_back("save"); }
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult) {
        calls.push_back("item changed");
        lastNotifier = pNMHDR->hwndFrom;
        *pResult = 5;
    }
    LRESULT OnDerivedAsk(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam) * lParam; }
    LRESULT OnClose(WPARAM, LPARAM) {
        calls.push_back("close");
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CMiddleWnd)
    ON_BN_CLICKED(IDC_OK, &CDerivedWnd::OnDerivedOk)
    ON_CBN_SELCHANGE(IDC_COMBO, &CDerivedWnd::OnSelChange)
    ON_COMMAND(ID_FILE_SAVE, &CDerivedWnd::OnSave)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_LIST, &CDerivedWnd::OnItemChanged)
    ON_MESSAGE(kAsk, &CDerivedWnd::OnDerivedAsk)
    ON_MESSAGE(WM_CLOSE, &CDerivedWnd::OnClose)
END_MESSAGE_MAP()

// Deletes itself from a handler, as windows that own themselves do; the dispatch must not touch it after.
class CSelfDeletingWnd : public CWnd {
public:
    explicit CSelfDeletingWnd(bool& deleted) : m_deleted(deleted) {}
    ~CSelfDeletingWnd() override { m_deleted = true; }

    LRESULT OnSelfDelete(WPARAM, LPARAM) {
        delete this;
        return 9;
    }

    DECLARE_MESSAGE_MAP()

private:
    bool& m_deleted;
};

BEGIN_MESSAGE_MAP(CSelfDeletingWnd, CWnd)
    ON_MESSAGE(kSelfDelete, &CSelfDeletingWnd::OnSelfDelete)
END_MESSAGE_MAP()

LRESULT SendCommand(HWND hWnd, UINT nID, UINT nCode, HWND hWndCtrl) {
    return ::SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(nID, nCode), reinterpret_cast<LPARAM>(hWndCtrl));
}

LRESULT SendNotify(HWND hWnd, NMHDR& header) {
    return ::SendMessageW(hWnd, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

class MessageMapTest : public wintest::WinTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(derived.CreateMessageOnly());
        ASSERT_TRUE(control.CreateMessageOnly());
    }

    CDerivedWnd derived;
    CWnd control;  // stands in for the child control that sends the commands
    using Calls = std::vector<std::string>;
};

}  // namespace

TEST(MessageWords, PackAndUnpack) {
    const WPARAM wParam = MAKEWPARAM(IDC_COMBO, CBN_SELCHANGE);
    EXPECT_EQ(LOWORD(wParam), IDC_COMBO);
    EXPECT_EQ(HIWORD(wParam), CBN_SELCHANGE);
    EXPECT_EQ(MAKEWPARAM(0xFFFF, 0xFFFF), 0xFFFFFFFFu);
    EXPECT_EQ(HIWORD(MAKEWPARAM(0x12345, 0x6789A)), 0x789A);
    EXPECT_EQ(NM_CLICK, 0xFFFFFFFEu);
    EXPECT_EQ(LVN_ITEMCHANGING, 0xFFFFFF9Cu);
    EXPECT_EQ(LVN_ITEMCHANGED, 0xFFFFFF9Bu);
    EXPECT_EQ(LVN_COLUMNCLICK, 0xFFFFFF94u);
    EXPECT_EQ(LVN_KEYDOWN, 0xFFFFFF65u);
}

TEST_F(MessageMapTest, CommandsGoToTheMostDerivedEntry) {
    HWND hCtrl = control.m_hWnd;
    EXPECT_EQ(SendCommand(derived.m_hWnd, IDC_OK, BN_CLICKED, hCtrl), 1);
    EXPECT_EQ(SendCommand(derived.m_hWnd, IDC_BASE_ONLY, BN_CLICKED, hCtrl), 1);
    EXPECT_EQ(SendCommand(derived.m_hWnd, IDC_COMBO, CBN_SELCHANGE, hCtrl), 1);
    EXPECT_EQ(SendCommand(derived.m_hWnd, ID_FILE_SAVE, CN_COMMAND, nullptr), 1);
    EXPECT_EQ(derived.calls, (Calls{"derived ok", "base only", "selchange", "save"}));

    CBaseWnd base;
    ASSERT_TRUE(base.CreateMessageOnly());
    EXPECT_EQ(SendCommand(base.m_hWnd, IDC_OK, BN_CLICKED, hCtrl), 1);
    EXPECT_EQ(SendCommand(base.m_hWnd, IDC_COMBO, CBN_SELCHANGE, hCtrl), 0);
    EXPECT_EQ(base.calls, (Calls{"base ok"}));
}

TEST_F(MessageMapTest, CodeAndIdMustBothMatch) {
    HWND hCtrl = control.m_hWnd;
    EXPECT_EQ(SendCommand(derived.m_hWnd, IDC_COMBO, BN_CLICKED, hCtrl), 0);
    EXPECT_EQ(SendCommand(derived.m_hWnd, IDC_OK, CBN_SELCHANGE, hCtrl), 0);
    EXPECT_EQ(SendCommand(derived.m_hWnd, IDC_LIST, BN_CLICKED, hCtrl), 0);
    // A command id equal to a message number does not reach that message's ON_MESSAGE entry.
    EXPECT_EQ(SendCommand(derived.m_hWnd, kBaseAsk, BN_CLICKED, hCtrl), 0);
    EXPECT_TRUE(derived.calls.empty());
}

TEST_F(MessageMapTest, NotificationsCarryTheHeaderAndSetTheResult) {
    NMHDR changed{control.m_hWnd, IDC_LIST, LVN_ITEMCHANGED};
    EXPECT_EQ(SendNotify(derived.m_hWnd, changed), 5);
    EXPECT_EQ(derived.lastNotifier, control.m_hWnd);

    NMHDR click{control.m_hWnd, IDC_LIST, NM_CLICK};
    EXPECT_EQ(SendNotify(derived.m_hWnd, click), 11);

    NMHDR changing{control.m_hWnd, IDC_LIST, LVN_ITEMCHANGING};
    EXPECT_EQ(SendNotify(derived.m_hWnd, changing), 0);
    NMHDR otherList{control.m_hWnd, IDC_COMBO, LVN_ITEMCHANGED};
    EXPECT_EQ(SendNotify(derived.m_hWnd, otherList), 0);
    EXPECT_EQ(::SendMessageW(derived.m_hWnd, WM_NOTIFY, IDC_LIST, 0), 0);

    EXPECT_EQ(derived.calls, (Calls{"item changed", "base list click " + std::to_string(IDC_LIST)}));
}

TEST_F(MessageMapTest, MessagesGoToTheMostDerivedEntry) {
    EXPECT_EQ(::SendMessageW(derived.m_hWnd, kAsk, 6, 7), 42);
    EXPECT_EQ(::SendMessageW(derived.m_hWnd, kBaseAsk, 0, 0), 7);
    CBaseWnd base;
    ASSERT_TRUE(base.CreateMessageOnly());
    EXPECT_EQ(::SendMessageW(base.m_hWnd, kAsk, 6, 7), 13);
}

TEST_F(MessageMapTest, UnhandledMessagesFallToDefWindowProc) {
    // The derived map handles WM_CLOSE, so the window survives it; the base map does not, so
    // DefWindowProc destroys that window.
    EXPECT_EQ(::SendMessageW(derived.m_hWnd, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(derived.calls, (Calls{"close"}));
    EXPECT_TRUE(IsWindow(derived.m_hWnd));

    CBaseWnd base;
    ASSERT_TRUE(base.CreateMessageOnly());
    HWND hBase = base.m_hWnd;
    EXPECT_EQ(::SendMessageW(hBase, WM_USER + 99, 1, 2), 0);
    EXPECT_EQ(::SendMessageW(hBase, WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(IsWindow(hBase));
    EXPECT_EQ(base.m_hWnd, nullptr);
    EXPECT_TRUE(base.calls.empty());
}

TEST_F(MessageMapTest, ASendFromAnotherThreadRunsTheHandlerOnTheWindowsThread) {
    HWND hWnd = derived.m_hWnd;
    HWND hCtrl = control.m_hWnd;
    std::atomic<LRESULT> asked{-1};
    std::atomic<LRESULT> clicked{-1};
    std::atomic<bool> done{false};
    wintest::TestThread sender([&] {
        asked = ::SendMessageW(hWnd, kAsk, 3, 5);
        clicked = SendCommand(hWnd, IDC_OK, BN_CLICKED, hCtrl);
        done = true;
    });
    ASSERT_TRUE(wintest::PumpUntil([&] { return done.load(); }));
    sender.Join();
    EXPECT_EQ(asked, 15);
    EXPECT_EQ(clicked, 1);
    EXPECT_EQ(derived.calls, (Calls{"derived ok"}));
}

TEST_F(MessageMapTest, AHandlerMayDeleteItsWindowObject) {
    bool deleted = false;
    auto* pWnd = new CSelfDeletingWnd(deleted);
    ASSERT_TRUE(pWnd->CreateMessageOnly());
    HWND hWnd = pWnd->m_hWnd;
    EXPECT_EQ(::SendMessageW(hWnd, kSelfDelete, 0, 0), 9);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(MessageMapTest, OnCmdMsgCanNameTheHandlerWithoutRunningIt) {
    AFX_CMDHANDLERINFO info{nullptr, nullptr};
    EXPECT_TRUE(derived.OnCmdMsg(IDC_OK, BN_CLICKED, nullptr, &info));
    EXPECT_EQ(info.pTarget, &derived);
    EXPECT_TRUE(info.pmf == static_cast<AFX_PMSG>(&CDerivedWnd::OnDerivedOk));
    EXPECT_TRUE(derived.OnCmdMsg(IDC_LIST, MAKELONG(NM_CLICK, WM_NOTIFY), nullptr, &info));
    EXPECT_FALSE(derived.OnCmdMsg(IDC_LIST, MAKELONG(LVN_KEYDOWN, WM_NOTIFY), nullptr, &info));
    EXPECT_FALSE(derived.OnCmdMsg(IDC_COMBO, BN_CLICKED, nullptr, &info));
    EXPECT_TRUE(derived.calls.empty());
}
