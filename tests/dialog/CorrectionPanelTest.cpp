#include "tests/dialog/DialogTestSupport.h"

#include "contracts/host/CQuorCommon.h"
#include "module/links/LinkCheckValues.h"
#include "module/res/resource.h"
#include "platform/win/Utf8.h"
#include "platform/win/WinReg.h"
#include "platform/win/WinUser.h"
#include "platform/win/WindowInput.h"
#include "tests/http/LoopbackServer.h"

#include <gmock/gmock.h>

namespace dialogtest {
namespace {

using ::testing::ElementsAre;
using headless::HeadlessFrontEnd;

const std::vector<std::string> kUrls = {"http://127.0.0.1:9/a", "https://127.0.0.1:9/b", "http://127.0.0.1:9/c",
                                        "http://127.0.0.1:9/d"};

// The host window's side: every message the module sends it, in order.
class HostWindowRecorder : public CWnd {
public:
    HostWindowRecorder() { CreateMessageOnly(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message >= WM_USER)
            messages.push_back({message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
    struct Message {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        friend bool operator==(const Message&, const Message&) = default;
    };
    std::vector<Message> messages;
};

class CorrectionPanel : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        SetManualStart(1);
    }

    std::u16string text(int id) {
        CString value;
        run.dialog().GetDlgItem(id)->GetWindowText(value);
        return value.ToStdString();
    }

    // As a finished run leaves the result columns.
    void SetResults() {
        CTarnAccListCtrl& list = run.dialog().listCtrl;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            list.SetItemText(row, 1, u"リンクエラー");
            list.SetItemText(row, 2, u"404");
        }
    }

    // The user selects the row, types the new URL and presses Apply.
    static void ApplyNewUrl(HeadlessFrontEnd& frontEnd, int row, std::u16string_view url) {
        EXPECT_TRUE(frontEnd.ClickRow(row).Ok());
        EXPECT_TRUE(frontEnd.Type(IDC_NEW_URL, url).Ok());
        EXPECT_TRUE(frontEnd.Click(IDC_APPLY).Ok());
    }

    static void SetBrowserEndpoints(const std::string& endpoints) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, CQuorCommon::getHKCUTarnpageOptions().GetString(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const std::u16string value = win::DecodeUtf8(endpoints);
        ASSERT_EQ(RegSetValueExW(key, u"browserEndpoints", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(char16_t))),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    DialogRun run{AnchorPage(kUrls)};
};

TEST_F(CorrectionPanel, ApplyOfANewUrlStarsItEmptiesTheResultsTicksOnlyCheckableSchemesAndCopyTakesTheStar) {
    struct Seen {
        std::vector<std::u16string> cells;
        bool ticked;
        std::u16string current;
        std::u16string edit;
    };
    std::vector<Seen> seen;
    std::u16string copied;
    run.Run({Do([&](HeadlessFrontEnd& frontEnd) {
        SetResults();
        const std::vector<std::u16string> urls = {u"HtTp://127.0.0.1:9/new", u"HTTPS://127.0.0.1:9/secure",
                                                  u"ftp://127.0.0.1/file"};
        for (int row = 0; row < 3; ++row) {
            // Row 0 starts unticked so that the tick is Apply's doing; row 2 starts ticked.
            EXPECT_EQ(frontEnd.Tick(row, row == 2).ticked, row == 2);
            ApplyNewUrl(frontEnd, row, urls[static_cast<std::size_t>(row)]);
            seen.push_back({{run.cell(row, 0), run.cell(row, 1), run.cell(row, 2), run.cell(row, 3)},
                            run.rowTicks()[static_cast<std::size_t>(row)], text(IDC_CURRENT_URL), text(IDC_NEW_URL)});
            EXPECT_EQ(run.item(row)->fixKind, FIX_CHANGE_URL);
            EXPECT_EQ(run.item(row)->newUrl, urls[static_cast<std::size_t>(row)]);
            EXPECT_TRUE(run.enabled(IDC_UNDO));
        }
        EXPECT_TRUE(frontEnd.Click(IDC_COPY_CURRENT_URL).Ok());
        copied = text(IDC_NEW_URL);
    })});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_THAT(seen[0].cells, ElementsAre(u"*HtTp://127.0.0.1:9/new", u"", u"", u"link 0"));
    EXPECT_TRUE(seen[0].ticked);
    EXPECT_EQ(seen[0].current, u"*HtTp://127.0.0.1:9/new");
    EXPECT_EQ(seen[0].edit, u"");
    EXPECT_THAT(seen[1].cells, ElementsAre(u"*HTTPS://127.0.0.1:9/secure", u"", u"", u"link 1"));
    EXPECT_TRUE(seen[1].ticked);
    EXPECT_EQ(seen[1].current, u"*HTTPS://127.0.0.1:9/secure");
    EXPECT_THAT(seen[2].cells, ElementsAre(u"*ftp://127.0.0.1/file", u"", u"", u"link 2"));
    EXPECT_FALSE(seen[2].ticked);
    EXPECT_EQ(seen[2].current, u"*ftp://127.0.0.1/file");
    EXPECT_EQ(seen[2].edit, u"");
    EXPECT_EQ(copied, u"*ftp://127.0.0.1/file");
}

TEST_F(CorrectionPanel, ApplyOfADeletionUnticksTheRowAndLeavesOnlyUndoEnabled) {
    std::vector<bool> enabling;
    std::u16string current;
    std::vector<std::u16string> cells;
    bool ticked = true;
    run.Run({Do([&](HeadlessFrontEnd& frontEnd) {
        SetResults();
        // A new URL first: the deletion replaces it, and the URL stays on the item.
        ApplyNewUrl(frontEnd, 1, u"http://127.0.0.1:9/first");
        EXPECT_TRUE(frontEnd.Type(IDC_NEW_URL, u"http://127.0.0.1:9/typed").Ok());
        EXPECT_TRUE(frontEnd.Click(IDC_DELETE_LINK_RADIO).Ok());
        EXPECT_TRUE(frontEnd.Click(IDC_APPLY).Ok());
        cells = {run.cell(1, 0), run.cell(1, 1), run.cell(1, 2)};
        ticked = run.rowTicks()[1];
        current = text(IDC_CURRENT_URL);
        EXPECT_EQ(text(IDC_NEW_URL), u"http://127.0.0.1:9/typed");
        EXPECT_EQ(run.item(1)->fixKind, FIX_DELETE_LINK);
        EXPECT_EQ(run.item(1)->newUrl, u"http://127.0.0.1:9/first");
        for (int id : {IDC_APPLY, IDC_COPY_CURRENT_URL, IDC_GET_FROM_BROWSER, IDC_CHANGE_URL_RADIO,
                       IDC_DELETE_LINK_RADIO, IDC_NEW_URL, IDC_UNDO})
            enabling.push_back(run.enabled(id));
        // The row with a pending deletion cannot be ticked again.
        EXPECT_FALSE(frontEnd.Tick(1, true).ticked);
    })});
    EXPECT_THAT(cells, ElementsAre(u"（リンク削除）", u"", u""));
    EXPECT_FALSE(ticked);
    EXPECT_EQ(current, u"");
    EXPECT_THAT(enabling, ElementsAre(false, false, false, false, false, false, true));
}

TEST_F(CorrectionPanel, UndoRestoresTheTextsTheLastApplySaved) {
    std::vector<std::vector<std::u16string>> rows;
    std::vector<bool> ticks;
    std::u16string current;
    auto snapshot = [&](int row) {
        rows.push_back({run.cell(row, 0), run.cell(row, 1), run.cell(row, 2)});
    };
    run.Run({Do([&](HeadlessFrontEnd& frontEnd) {
        SetResults();
        // A deletion, then Undo: the URL and the results come back; the tick stays as Apply left it.
        EXPECT_TRUE(frontEnd.ClickRow(0).Ok());
        EXPECT_TRUE(frontEnd.Click(IDC_DELETE_LINK_RADIO).Ok());
        EXPECT_TRUE(frontEnd.Click(IDC_APPLY).Ok());
        EXPECT_TRUE(frontEnd.Click(IDC_UNDO).Ok());
        snapshot(0);
        current = text(IDC_CURRENT_URL);
        EXPECT_EQ(run.item(0)->fixKind, FIX_NONE);
        EXPECT_FALSE(run.enabled(IDC_UNDO));

        // Two new URLs, then Undo: the second Apply saved the columns the first had emptied.
        EXPECT_TRUE(frontEnd.Click(IDC_CHANGE_URL_RADIO).Ok());
        ApplyNewUrl(frontEnd, 1, u"ftp://127.0.0.1/one");
        ApplyNewUrl(frontEnd, 1, u"ftp://127.0.0.1/two");
        EXPECT_TRUE(frontEnd.Click(IDC_UNDO).Ok());
        snapshot(1);
        EXPECT_TRUE(run.item(1)->newUrl.IsEmpty());

        // Apply with an empty edit records nothing, yet the results it saw are what Undo brings back.
        ApplyNewUrl(frontEnd, 2, u"http://127.0.0.1:9/new");
        EXPECT_TRUE(frontEnd.Click(IDC_APPLY).Ok());
        EXPECT_EQ(run.cell(2, 0), u"*http://127.0.0.1:9/new");
        EXPECT_TRUE(frontEnd.Click(IDC_UNDO).Ok());
        snapshot(2);

        // Apply with an empty edit on a row without a correction: nothing visible changes.
        EXPECT_TRUE(frontEnd.ClickRow(3).Ok());
        EXPECT_TRUE(frontEnd.Click(IDC_APPLY).Ok());
        snapshot(3);
        EXPECT_EQ(run.item(3)->fixKind, FIX_NONE);
        ticks = run.rowTicks();
    })});
    EXPECT_THAT(rows, ElementsAre(ElementsAre(u"http://127.0.0.1:9/a", u"リンクエラー", u"404"),
                                  ElementsAre(u"https://127.0.0.1:9/b", u"", u""),
                                  ElementsAre(u"http://127.0.0.1:9/c", u"", u""),
                                  ElementsAre(u"http://127.0.0.1:9/d", u"リンクエラー", u"404")));
    EXPECT_EQ(current, u"http://127.0.0.1:9/a");
    EXPECT_THAT(ticks, ElementsAre(false, false, true, true));
}

TEST_F(CorrectionPanel, KeysShowTheRowTheyAreAboutToSelect) {
    std::vector<std::u16string> shown;
    int selectedAfterHome = -1;
    run.Run({Do([&](HeadlessFrontEnd& frontEnd) {
        run.item(1)->fixKind = FIX_CHANGE_URL;
        run.item(1)->newUrl = u"http://127.0.0.1:9/pending";
        EXPECT_TRUE(frontEnd.ClickRow(0).Ok());
        EXPECT_TRUE(frontEnd.Type(IDC_NEW_URL, u"typed").Ok());
        EXPECT_TRUE(frontEnd.Key(VK_UP).Ok());  // the first row stays
        shown.push_back(text(IDC_CURRENT_URL));
        EXPECT_EQ(text(IDC_NEW_URL), u"");
        EXPECT_TRUE(frontEnd.Key(VK_DOWN).Ok());  // a pending new URL shows as the current one
        shown.push_back(text(IDC_CURRENT_URL));
        EXPECT_TRUE(frontEnd.ClickRow(3).Ok());
        EXPECT_TRUE(frontEnd.Key(VK_DOWN).Ok());  // the last row stays
        shown.push_back(text(IDC_CURRENT_URL));
        EXPECT_TRUE(frontEnd.Key(VK_SPACE).Ok());
        shown.push_back(text(IDC_CURRENT_URL));
        EXPECT_TRUE(frontEnd.Key(VK_HOME).Ok());  // the field keeps showing row 3 ...
        shown.push_back(text(IDC_CURRENT_URL));
        selectedAfterHome = run.dialog().listCtrl.GetNextItem(-1, LVNI_SELECTED);
        // ... while Apply acts on the row the key selected.
        EXPECT_TRUE(frontEnd.Click(IDC_DELETE_LINK_RADIO).Ok());
        EXPECT_TRUE(frontEnd.Click(IDC_APPLY).Ok());
        EXPECT_EQ(run.item(0)->fixKind, FIX_DELETE_LINK);
        EXPECT_EQ(run.item(3)->fixKind, FIX_NONE);
    })});
    EXPECT_THAT(shown, ElementsAre(u"http://127.0.0.1:9/a", u"http://127.0.0.1:9/pending", u"http://127.0.0.1:9/d",
                                   u"http://127.0.0.1:9/d", u"http://127.0.0.1:9/d"));
    EXPECT_EQ(selectedAfterHome, 0);
}

TEST_F(CorrectionPanel, ADoubleClickMovesTheSourceCursorAndTellsTheHostEvenDuringARun) {
    HostWindowRecorder hostWindow;
    std::vector<HostCall> calls;
    run.Run({Do([&](HeadlessFrontEnd& frontEnd) {
        run.dialog().hostWnd = &hostWindow;
        run.dialog().setChecking(TRUE);
        EXPECT_TRUE(frontEnd.DblClickRow(2).Ok());
        run.dialog().setChecking(FALSE);
        calls = run.host().calls();
    })});
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), (HostCall{"notifyUpdate", {0, 4, 0}}));
    EXPECT_THAT(hostWindow.messages, ElementsAre(HostWindowRecorder::Message{0x60C, 0, 0}));
    ASSERT_TRUE(run.document().sourceCursor().has_value());
    // Anchor 2 is the third line of the page's body.
    EXPECT_EQ(run.document().sourceCursor()->line, 3u);
}

TEST_F(CorrectionPanel, GetFromBrowserTakesThePageABrowserShowsAndNothingWhenNoneAnswers) {
    LoopbackServer browser;
    browser.server().Get("/json/list", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(R"([{"type":"page","url":"http://127.0.0.1:8000/shown","title":"Shown"}])",
                             "application/json");
    });
    browser.start();
    const std::string endpoint = browser.url("").substr(std::string("http://").size());
    std::u16string fetched;
    std::u16string kept;
    SetBrowserEndpoints("127.0.0.1:9;" + endpoint);
    run.Run({Do([&](HeadlessFrontEnd& frontEnd) {
        EXPECT_TRUE(frontEnd.ClickRow(0).Ok());
        EXPECT_TRUE(frontEnd.Click(IDC_GET_FROM_BROWSER).Ok());
        fetched = text(IDC_NEW_URL);
        SetBrowserEndpoints("127.0.0.1:9");
        EXPECT_TRUE(frontEnd.Type(IDC_NEW_URL, u"typed").Ok());
        EXPECT_TRUE(frontEnd.Click(IDC_GET_FROM_BROWSER).Ok());
        kept = text(IDC_NEW_URL);
    })});
    EXPECT_EQ(fetched, u"http://127.0.0.1:8000/shown");
    EXPECT_EQ(kept, u"typed");
    EXPECT_EQ(browser.requests(), 1);
}

}  // namespace
}  // namespace dialogtest
