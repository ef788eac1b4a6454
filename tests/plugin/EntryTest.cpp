#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/PageHost.h"
#include "hostlibs/dom/HtmlParser.h"
#include "platform/afx/CWnd.h"
#include "platform/headless/HeadlessFrontEnd.h"
#include "tests/plugin/PluginTestSupport.h"

namespace fs = std::filesystem;

// Readable host calls in test failures.
void PrintTo(const HostCall& call, std::ostream* os) {
    *os << call.op << "(";
    for (std::size_t i = 0; i < call.args.size(); ++i)
        *os << (i ? ", " : "") << call.args[i];
    *os << ")";
}

namespace {

// The module's entry run in this process over a page, with the headless front end standing in for the
// user. The check never starts by itself: the options ask for a manual start.
class EntryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char name[] = "/tmp/tarn-entry-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        configHome = name;
        fs::create_directories(configHome / "tarn");
        std::ofstream(configHome / "tarn" / "registry.ini")
            << "[Software\\Tarn\\Tarnpage\\Options]\n\"isLinkCheckManualStart\"=dword:00000001\n";
        setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
    }
    static void TearDownTestSuite() { fs::remove_all(configHome); }

    void SetUp() override {
        entry = tarn::test::moduleEntry();
        ASSERT_NE(entry, nullptr);
        document = tarn::dom::loadDocument(
            "<html><head><link rel=stylesheet href='http://127.0.0.1:9/site.css'></head>\n"
            "<body><a href='http://127.0.0.1:9/a'>a</a></body></html>\n");
    }
    void TearDown() override { win::SetModalFrontEnd(nullptr); }

    // Runs the entry; the dialog is looked at once, then closed by the front end.
    void runEntry(PageHost& host) {
        headless::HeadlessFrontEnd frontEnd;
        frontEnd.AddStep([this](headless::HeadlessFrontEnd& fe) {
            caption = fe.State()["caption"].get<std::string>();
            return true;
        });
        win::SetModalFrontEnd(&frontEnd);
        entry(&host);
        win::SetModalFrontEnd(nullptr);
    }

    static inline fs::path configHome;
    tarn::test::Entry entry = nullptr;
    std::unique_ptr<Document> document;
    std::string caption;
};

TEST_F(EntryTest, ANullHostWindowSkipsNotifyBeforeDialogAndTheDialogStillOpens) {
    PageHost host(*document, {}, nullptr);
    runEntry(host);
    EXPECT_EQ(caption, "外部リンク チェック");
    // The collection's calls, and nothing after the dialog: it was not closed with OK.
    const std::vector<HostCall> expected{
        {"getHostWindow", {}}, {"getCheckRoots", {}}, {"useCheckRoots", {}}, {"getDocument", {}}, {"getDocument", {}}};
    EXPECT_EQ(host.calls(), expected);
}

TEST_F(EntryTest, TheHostHearsOfTheDialogBeforeTheDocumentIsRead) {
    CWnd window;
    ASSERT_TRUE(window.CreateMessageOnly());
    PageHost host(*document, {}, &window);
    runEntry(host);
    EXPECT_EQ(caption, "外部リンク チェック");
    const std::vector<HostCall> expected{{"getHostWindow", {}},   {"notifyBeforeDialog", {1, 1}},
                                         {"getCheckRoots", {}},   {"useCheckRoots", {}},
                                         {"getDocument", {}},     {"getDocument", {}}};
    EXPECT_EQ(host.calls(), expected);
    // The dialog's owner takes input again once it has gone.
    EXPECT_TRUE(IsWindowEnabled(window.m_hWnd));
}

}  // namespace
