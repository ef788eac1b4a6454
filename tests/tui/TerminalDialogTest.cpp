#include <signal.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/app/ProgramTestSupport.h"
#include "tests/http/LoopbackServer.h"
#include "tests/tui/TmuxSession.h"

// The program as a person uses it: `tarnlink PAGE` in a real terminal (tmux), read off the screen.

namespace tarn::test {

namespace {

const std::vector<std::string> kCaptions = {
    "外部リンク チェック", "表示切替(C):", "外部リンク一覧(K):", "すべて(A)", "クリア(L)", "リンク チェック状況:",
    "開始(S)", "停止(P)", "リンク先を新しい URL に変更(R)", "リンクの属性の削除(D)", "現在の URL:",
    "変更後の URL (U):", "現在の URL をコピー(F)", "ブラウザーより取得(G)", "元に戻す(N)", "適用(Y)",
    "次回から手動でリンク チェックを開始する(M)", "OK", "キャンセル", "ヘルプ"};

const char* const kFinished = "リンク チェックは終了しました。";

bool HasLine(const std::vector<std::string>& screen, std::initializer_list<std::string> parts) {
    for (const std::string& line : screen) {
        bool all = true;
        for (const std::string& part : parts)
            all = all && line.find(part) != std::string::npos;
        if (all)
            return true;
    }
    return false;
}

// Whether `text` on the screen is drawn in reverse video (the focused control's look).
bool Reversed(const std::vector<std::string>& escapedScreen, const std::string& text) {
    for (const std::string& line : escapedScreen) {
        const std::size_t at = line.find(text);
        if (at == std::string::npos)
            continue;
        const std::size_t sgr = line.rfind("\x1b[", at);
        if (sgr == std::string::npos)
            continue;
        const std::string codes = line.substr(sgr + 2, line.find('m', sgr) - sgr - 2);
        if ((";" + codes + ";").find(";7;") != std::string::npos)
            return true;
    }
    return false;
}

// Rows of the list that show a link's URL beside its result.
int RowsWithResults(const std::vector<std::string>& screen, const std::string& site) {
    return static_cast<int>(std::count_if(screen.begin(), screen.end(), [&](const std::string& line) {
        const std::size_t url = line.find(site);
        return url != std::string::npos &&
               (line.find("OK", url) != std::string::npos || line.find("リンクエラー", url) != std::string::npos);
    }));
}

// The whole dialog on a screen of width x height: its frame's four corners between the host's two lines,
// every caption whole (OK, Cancel and Help among them), and at least `rows` rows with their results.
void ExpectWholeDialog(const std::vector<std::string>& screen, int width, int height, int rows,
                       const std::string& site) {
    ASSERT_EQ(static_cast<int>(screen.size()), height);
    EXPECT_EQ(cellOf(screen[1], "┌"), 0);
    EXPECT_EQ(cellOf(screen[1], "┐"), width - 1);
    EXPECT_EQ(cellOf(screen[static_cast<std::size_t>(height - 2)], "└"), 0);
    EXPECT_EQ(cellOf(screen[static_cast<std::size_t>(height - 2)], "┘"), width - 1);
    for (const std::string& caption : kCaptions)
        EXPECT_GE(lineOf(screen, caption), 0) << caption;
    EXPECT_GE(RowsWithResults(screen, site), rows);
}

class TerminalDialog : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        server.server().Get("/gone", [](const httplib::Request&, httplib::Response& response) { response.status = 404; });
        server.server().Get("/slow", [this](const httplib::Request&, httplib::Response&) { server.waitForRelease(); });
        // Moved pages: one to another page, one to the site's root.
        for (const auto& [from, to] : {std::pair{"/moved", "/ok"}, std::pair{"/news", "/"}})
            server.server().Get(from, [this, to](const httplib::Request&, httplib::Response& response) {
                response.status = 301;
                response.set_header("Location", server.url(to));
            });
        server.start();
    }

    // Each terminal has a server of its own: one that was just stopped may still hold its socket.
    std::unique_ptr<TmuxSession> open(const std::string& page, int width, int height,
                                      const std::vector<std::string>& extraEnvironment = {}) {
        const std::filesystem::path place = folder / ("tmux-" + std::to_string(++terminals));
        std::filesystem::create_directory(place);
        std::vector<std::string> env = environment();
        env.insert(env.end(), extraEnvironment.begin(), extraEnvironment.end());
        return std::make_unique<TmuxSession>(place, width, height, std::vector<std::string>{TARN_PROGRAM, page}, env);
    }

    std::string twoLinkPage() {
        return writePage("<html><body>\n<p><a href=\"" + server.url("/ok") + "\">生きている</a>\n<p><a href=\"" +
                         server.url("/gone") + "\">消えた</a>\n</body></html>\n");
    }

    // `count` links to the server, every other one broken.
    std::string manyLinkPage(int count) {
        std::string html = "<html><body>\n";
        for (int i = 0; i < count; ++i)
            html += "<p><a href=\"" + server.url(i % 2 == 0 ? "/ok?" : "/gone?") + std::to_string(i) + "\">" +
                    std::to_string(i) + "</a>\n";
        return writePage(html + "</body></html>\n");
    }

    std::string site() const { return server.url("/"); }

    // The terminal is as the program found it: the main screen, no mouse reports, the cursor shown.
    static void ExpectRestored(TmuxSession& term) {
        EXPECT_EQ(term.pane("#{alternate_on}"), "0");
        EXPECT_EQ(term.pane("#{mouse_sgr_flag}"), "0");
        EXPECT_EQ(term.pane("#{mouse_standard_flag}"), "0");
        EXPECT_EQ(term.pane("#{cursor_flag}"), "1");
    }

    LoopbackServer server;
    int terminals = 0;
};

TEST_F(TerminalDialog, ACheckShowsItsRowsEveryCaptionWholeAndTheHostAroundAndEscCancels) {
    useAutomaticStart();
    const std::string page = twoLinkPage();
    const std::string before = readFile(page);
    auto term = open(page, 200, 50);
    ASSERT_TRUE(term->waitForText(kFinished)) << term->screenText();
    const std::vector<std::string> screen = term->screen();
    for (const std::string& caption : kCaptions)
        EXPECT_GE(lineOf(screen, caption), 0) << caption << "\n" << term->screenText();
    EXPECT_TRUE(HasLine(screen, {"│ URL ", "│チェック結果", "│戻りコード", "│文字", "│タグ", "│属性"})) << term->screenText();
    EXPECT_TRUE(HasLine(screen, {server.url("/ok"), "OK", "200", "生きている"})) << term->screenText();
    EXPECT_TRUE(HasLine(screen, {server.url("/gone"), "リンクエラー", "404", "消えた"})) << term->screenText();
    EXPECT_NE(screen.front().find("page.html"), std::string::npos);
    EXPECT_NE(screen.back().find("F1"), std::string::npos);

    term->keys({"F1"});
    ASSERT_TRUE(term->waitForText("F6")) << term->screenText();
    term->keys({"Escape"});
    ASSERT_TRUE(term->waitFor([](const auto& lines) { return lineOf(lines, "F6") < 0; })) << term->screenText();
    term->keys({"Escape"});
    EXPECT_EQ(term->waitForExit(), 0);
    EXPECT_NE(term->screenText().find("0 corrections"), std::string::npos) << term->screenText();
    ExpectRestored(*term);
    EXPECT_EQ(readFile(page), before);
}

TEST_F(TerminalDialog, At100x30FilterSortTicksAndACorrectionByKeysAndMouseAreWrittenOnOk) {
    useAutomaticStart();
    const std::string page = twoLinkPage();
    auto term = open(page, 100, 30);
    ASSERT_TRUE(term->waitForText(kFinished)) << term->screenText();
    const std::string ok = server.url("/ok");
    const std::string gone = server.url("/gone");

    // The filter: its label's mnemonic focuses the combo box, F4 drops it, a click chooses the entry.
    term->keys({"M-c"});
    term->keys({"F4"});
    ASSERT_TRUE(term->waitForText("リンクエラーあり")) << term->screenText();
    std::vector<std::string> screen = term->screen();
    int line = lineOf(screen, "リンクエラーあり");
    term->click(cellOf(screen[static_cast<std::size_t>(line)], "リンクエラーあり") + 1, line);
    ASSERT_TRUE(term->waitFor([&](const auto& lines) { return lineOf(lines, ok) < 0; })) << term->screenText();
    term->keys({"Up"});
    ASSERT_TRUE(term->waitForText(ok)) << term->screenText();

    // The error row starts ticked: Space in the list unticks it, a click on its box ticks it again.
    ASSERT_TRUE(HasLine(term->screen(), {"[x] " + gone}));
    term->keys({"M-k", "End", "Space"});
    ASSERT_TRUE(term->waitFor([&](const auto& lines) { return HasLine(lines, {"[ ] " + gone}); })) << term->screenText();
    screen = term->screen();
    line = lineOf(screen, gone);
    term->click(cellOf(screen[static_cast<std::size_t>(line)], "[ ] " + gone) + 1, line);
    ASSERT_TRUE(term->waitFor([&](const auto& lines) { return HasLine(lines, {"[x] " + gone}); })) << term->screenText();

    // A click on the URL header sorts the rows by it.
    screen = term->screen();
    ASSERT_LT(lineOf(screen, ok), lineOf(screen, gone)) << term->screenText();
    line = lineOf(screen, "│チェック結果");
    term->click(cellOf(screen[static_cast<std::size_t>(line)], "URL"), line);
    ASSERT_TRUE(term->waitFor([&](const auto& lines) { return lineOf(lines, gone) < lineOf(lines, ok); }))
        << term->screenText();
    // The list is narrower than its columns: Right scrolls it sideways to its last column, Left back.
    term->keys({"Right"});
    ASSERT_TRUE(term->waitFor([&](const auto& lines) { return HasLine(lines, {"│属性"}) && lineOf(lines, ok) < 0; }))
        << term->screenText();
    term->keys({"Left"});
    ASSERT_TRUE(term->waitFor([&](const auto& lines) { return HasLine(lines, {"URL", "│チェック結果"}); }))
        << term->screenText();

    // A new URL for the row: pasted into the edit box, applied with its button's mnemonic.
    screen = term->screen();
    line = lineOf(screen, gone);
    term->click(cellOf(screen[static_cast<std::size_t>(line)], gone) + 2, line);
    // The selected row's URL shows below the list as well.
    ASSERT_TRUE(term->waitFor([&](const auto& lines) {
        return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(gone) != std::string::npos; }) == 2;
    })) << term->screenText();
    term->keys({"M-u"});
    term->paste(server.url("/new"));
    term->keys({"M-y"});
    ASSERT_TRUE(term->waitForText("*" + server.url("/new"))) << term->screenText();

    screen = term->screen();
    line = lineOf(screen, "キャンセル");
    ASSERT_GE(line, 0) << term->screenText();
    term->click(cellOf(screen[static_cast<std::size_t>(line)], " OK ") + 1, line);
    EXPECT_EQ(term->waitForExit(), 0);
    EXPECT_NE(term->screenText().find("1 correction(s) written to"), std::string::npos) << term->screenText();
    const std::string written = readFile(page);
    EXPECT_NE(written.find("href=\"" + server.url("/new") + "\""), std::string::npos) << written;
    EXPECT_EQ(written.find(gone), std::string::npos) << written;
    ExpectRestored(*term);
}

// The status bar tells where the selected link's permanent redirect leads, and F7 types it in as the new URL.
TEST_F(TerminalDialog, TheStatusBarShowsASelectedPermanentRedirectAndF7EntersItAsTheNewUrl) {
    useAutomaticStart();
    const std::string moved = server.url("/moved");
    const std::string news = server.url("/news");
    const std::string target = server.url("/ok");
    const std::string page = writePage("<html><body>\n<p><a href=\"" + moved + "\">移転</a>\n<p><a href=\"" + news +
                                       "\">お知らせ</a>\n</body></html>\n");
    auto term = open(page, 200, 50);
    ASSERT_TRUE(term->waitForText(kFinished)) << term->screenText();
    auto selectRow = [&](const std::string& url) {
        const std::vector<std::string> screen = term->screen();
        const int line = lineOf(screen, url);
        ASSERT_GE(line, 0) << term->screenText();
        term->click(cellOf(screen[static_cast<std::size_t>(line)], url) + 2, line);
    };
    auto statusHas = [&](const std::string& text) {
        return term->waitFor([&](const auto& lines) { return lines.back().find(text) != std::string::npos; });
    };

    selectRow(news);
    ASSERT_TRUE(statusHas("301 → " + site() + " [suspect: site root] · F7: new URL")) << term->screenText();
    selectRow(moved);
    ASSERT_TRUE(statusHas("301 → " + target + " · F7: new URL")) << term->screenText();
    EXPECT_EQ(term->screen().back().find("suspect"), std::string::npos) << term->screenText();

    // F7 with the other correction chosen: it chooses the new URL, the box gets the target, and Apply takes it
    // as typed text.
    term->keys({"M-d"});
    ASSERT_TRUE(term->waitForText("(*) リンクの属性の削除(D)")) << term->screenText();
    term->keys({"F7"});
    ASSERT_TRUE(term->waitFor([&](const auto& lines) {
        return std::count_if(lines.begin(), lines.end() - 1,
                             [&](const std::string& l) { return l.find(target) != std::string::npos; }) == 1;
    })) << term->screenText();
    term->keys({"M-y"});
    ASSERT_TRUE(term->waitForText("*" + target)) << term->screenText();
    const std::vector<std::string> screen = term->screen();
    const int line = lineOf(screen, "キャンセル");
    ASSERT_GE(line, 0) << term->screenText();
    term->click(cellOf(screen[static_cast<std::size_t>(line)], " OK ") + 1, line);
    EXPECT_EQ(term->waitForExit(), 0);
    EXPECT_NE(term->screenText().find("1 correction(s) written to"), std::string::npos) << term->screenText();
    const std::string written = readFile(page);
    EXPECT_NE(written.find("href=\"" + target + "\""), std::string::npos) << written;
    EXPECT_NE(written.find("href=\"" + news + "\""), std::string::npos) << written;
}

TEST_F(TerminalDialog, At120x40And100x30TheWholeDialogShowsWithRowsBesideTheirResults) {
    useAutomaticStart();
    const std::string page = manyLinkPage(12);
    for (const auto& [width, height, rows] : {std::tuple{120, 40, 10}, std::tuple{100, 30, 4}}) {
        auto term = open(page, width, height);
        ASSERT_TRUE(term->waitForText(kFinished)) << term->screenText();
        ExpectWholeDialog(term->screen(), width, height, rows, site());
        EXPECT_FALSE(HasFailure()) << width << " x " << height << "\n" << term->screenText();
        term->keys({"Escape"});
        EXPECT_EQ(term->waitForExit(), 0);
    }
}

TEST_F(TerminalDialog, At80x24TheUrlsShowFirstAndTabAndMnemonicsPanTheViewToEveryControl) {
    useAutomaticStart();
    auto term = open(manyLinkPage(6), 80, 24);
    ASSERT_TRUE(term->waitForText(kFinished)) << term->screenText();
    // The first screen, with no key pressed: the list's URLs beside their results.
    std::vector<std::string> screen = term->screen();
    EXPECT_TRUE(HasLine(screen, {"URL", "│チェック結果"})) << term->screenText();
    EXPECT_GE(RowsWithResults(screen, site()), 3) << term->screenText();

    // A mnemonic brings its control into view: the filter at the dialog's right edge.
    term->keys({"M-c"});
    ASSERT_TRUE(term->waitFor([&](const auto&) {
        const std::vector<std::string> shown = term->screen(true);
        const int line = lineOf(shown, "すべてのリンク");
        return Reversed(shown, "すべてのリンク") && line >= 0 &&
               shown[static_cast<std::size_t>(line)].find("▼") != std::string::npos;
    })) << term->screenText();
    // Tab goes round every control, the view following, to OK.
    std::vector<std::string> previous = term->screen(true);
    bool reached = false;
    for (int tab = 0; tab < 30 && !reached; ++tab) {
        term->keys({"Tab"});
        std::vector<std::string> now;
        ASSERT_TRUE(term->waitFor([&](const auto&) { return (now = term->screen(true)) != previous; }));
        previous = now;
        reached = Reversed(now, "OK");
    }
    ASSERT_TRUE(reached) << term->screenText();
    term->keys({"Space"});
    EXPECT_EQ(term->waitForExit(), 0);
    EXPECT_NE(term->screenText().find("0 corrections"), std::string::npos) << term->screenText();
}

TEST_F(TerminalDialog, TheDialogFollowsAResizeDownAndBackUpKeepingTheFocusInViewAndItsSizeUnstored) {
    useAutomaticStart();
    auto term = open(manyLinkPage(12), 200, 50);
    ASSERT_TRUE(term->waitForText(kFinished)) << term->screenText();
    term->keys({"BTab"});
    ASSERT_TRUE(term->waitFor([&](const auto&) { return Reversed(term->screen(true), "ヘルプ"); }))
        << term->screenText();

    term->resize(100, 30);
    ASSERT_TRUE(term->waitFor([](const auto& lines) { return lines.size() == 30 && cellOf(lines[1], "┐") == 99; }))
        << term->screenText();
    ExpectWholeDialog(term->screen(), 100, 30, 4, site());
    EXPECT_TRUE(Reversed(term->screen(true), "ヘルプ")) << term->screenText();

    term->resize(200, 50);
    ASSERT_TRUE(term->waitFor([](const auto& lines) {
        return lines.size() == 50 && cellOf(lines[1], "┐") == 199 && lineOf(lines, "キャンセル") >= 40;
    })) << term->screenText();
    ExpectWholeDialog(term->screen(), 200, 50, 12, site());
    EXPECT_TRUE(Reversed(term->screen(true), "ヘルプ")) << term->screenText();
    term->keys({"Escape"});
    EXPECT_EQ(term->waitForExit(), 0);
    // The sizes the dialog was fitted to are the terminal's, not the user's: none is kept.
    EXPECT_EQ(readFile(folder / "config" / "tarn" / "registry.ini").find("Width"), std::string::npos);
}

TEST_F(TerminalDialog, EscapeSequencesFromThePageAreShownAndNotObeyed) {
    const std::string page = writePage("<a href=\"http://127.0.0.1:9/\x1b]2;pwned\x07\x1b[?1049l\">x</a>\n");
    auto term = open(page, 200, 50);
    ASSERT_TRUE(term->waitForText("^[]2;pwned^G^[[?1049l")) << term->screenText();
    EXPECT_NE(term->pane("#{pane_title}"), "pwned");
    EXPECT_EQ(term->pane("#{alternate_on}"), "1");
    term->keys({"Escape"});
    EXPECT_EQ(term->waitForExit(), 0);
    ExpectRestored(*term);
}

// The locale of many containers and CI images: what is seen is what is saved all the same.
TEST_F(TerminalDialog, ALocaleWithoutUtf8StillShowsEveryCharacterAndSaysSo) {
    const std::string page = twoLinkPage();
    auto term = open(page, 200, 50, {"LANG=C", "LC_ALL=C"});
    ASSERT_TRUE(term->waitForText("外部リンク チェック")) << term->screenText();
    EXPECT_GE(lineOf(term->screen(), "┌"), 0) << term->screenText();
    // The new URL, for the list's first row.
    term->keys({"M-k", "Home", "M-u"});
    term->paste("http://127.0.0.1:9/日本é");
    EXPECT_TRUE(term->waitForText("http://127.0.0.1:9/日本é")) << term->screenText();
    term->keys({"Escape"});
    EXPECT_EQ(term->waitForExit(), 0);
    EXPECT_NE(term->screenText().find("not UTF-8: the dialog is shown in UTF-8 (C.UTF-8)"), std::string::npos)
        << term->screenText();
}

// A terminal that cannot move its cursor would show nothing while the dialog runs unseen.
TEST_F(TerminalDialog, ATerminalThatCannotMoveItsCursorIsRefused) {
    auto term = open(twoLinkPage(), 120, 30, {"TERM=dumb"});
    EXPECT_EQ(term->waitForExit(), 2);
    EXPECT_NE(term->screenText().find("(TERM=dumb) cannot move its cursor: use --check for a report, or --automate"),
              std::string::npos)
        << term->screenText();
}

TEST_F(TerminalDialog, SigtermDuringACheckClosesAsCancelAndRestoresTheTerminal) {
    useAutomaticStart();
    const std::string page = writePage("<a href=\"" + server.url("/slow") + "\">遅い</a>\n");
    auto term = open(page, 200, 50);
    ASSERT_TRUE(term->waitForText("チェック中")) << term->screenText();
    ASSERT_EQ(kill(term->commandPid(), SIGTERM), 0);
    EXPECT_EQ(term->waitForExit(), 0);
    EXPECT_NE(term->screenText().find("0 corrections"), std::string::npos) << term->screenText();
    ExpectRestored(*term);
}

TEST_F(TerminalDialog, ACrashSignalRestoresTheTerminalAndStillEndsTheProgram) {
    auto term = open(twoLinkPage(), 120, 40);
    ASSERT_TRUE(term->waitForText("F1")) << term->screenText();
    ASSERT_EQ(kill(term->commandPid(), SIGSEGV), 0);
    EXPECT_EQ(term->waitForExit(), 128 + SIGSEGV);
    ExpectRestored(*term);
}

}  // namespace

}  // namespace tarn::test
