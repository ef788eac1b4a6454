#include "platform/afx/CDynLinkLibrary.h"
#include "platform/afx/CString.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr UINT IDD_OPTIONS = 100;
constexpr UINT IDD_ABOUT = 101;
constexpr UINT IDS_TITLE = 1;
constexpr UINT IDS_ONLY_FIRST = 2;
constexpr UINT IDS_PROGRESS = 3;
constexpr UINT IDS_MISSING = 999;

// Two modules' resources; the instances are addresses that stand for the loaded modules.
int firstModuleImage;
int secondModuleImage;
HINSTANCE const hFirst = reinterpret_cast<HINSTANCE>(&firstModuleImage);
HINSTANCE const hSecond = reinterpret_cast<HINSTANCE>(&secondModuleImage);

const ResourceSet firstResources{
    {
        {IDD_OPTIONS, u"First options", 0x80C80000, 240, 120, {9, u"MS Shell Dlg"},
         {
             {1, ControlKind::PushButton, u"OK", {130, 99, 50, 14}, 0x00010001},
             {1001, ControlKind::CheckBox, u"Check &links", {7, 7, 120, 10}, 0x00010003},
             {1003, ControlKind::ListView, u"", {7, 20, 226, 70}, 0x0001000D},
         }},
        {IDD_ABOUT, u"About", 0x80C80000, 180, 60, {9, u"MS Shell Dlg"}, {}},
    },
    {{IDS_TITLE, u"First title"}, {IDS_ONLY_FIRST, u"Only in the first"}},
};

const ResourceSet secondResources{
    {{IDD_OPTIONS, u"Second options", 0x80C80000, 200, 100, {9, u"MS UI Gothic"}, {}}},
    {{IDS_TITLE, u"Second title"}, {IDS_PROGRESS, u"リンクを確認しています…"}},
};

CString Load(UINT nID) {
    CString text;
    text.LoadString(nID);
    return text;
}

// Every test starts and ends with an empty chain and no registrations.
class ResourceChainTest : public ::testing::Test {
protected:
    void SetUp() override {
        AfxRegisterModuleResources(hFirst, &firstResources);
        AfxRegisterModuleResources(hSecond, &secondResources);
    }
    void TearDown() override {
        AfxTermExtensionModule(first);
        AfxTermExtensionModule(second);
    }

    void LinkFirst() {
        ASSERT_TRUE(AfxInitExtensionModule(first, hFirst));
        new CDynLinkLibrary(first);
    }
    void LinkSecond() {
        ASSERT_TRUE(AfxInitExtensionModule(second, hSecond));
        new CDynLinkLibrary(second);
    }

    AFX_EXTENSION_MODULE first{};
    AFX_EXTENSION_MODULE second{};
};

}  // namespace

TEST_F(ResourceChainTest, NothingIsFoundBeforeAModuleLinks) {
    EXPECT_EQ(AfxFindDialogTemplate(IDD_OPTIONS), nullptr);
    CString text(u"stale");
    EXPECT_FALSE(text.LoadString(IDS_TITLE));
    EXPECT_TRUE(text.IsEmpty());
}

TEST_F(ResourceChainTest, TemplatesKeepTheirControlsInOrder) {
    LinkFirst();
    const DialogTemplate* pTemplate = AfxFindDialogTemplate(IDD_OPTIONS);
    ASSERT_NE(pTemplate, nullptr);
    EXPECT_EQ(pTemplate, firstResources.FindDialog(IDD_OPTIONS));
    EXPECT_EQ(pTemplate->caption, u"First options");
    ASSERT_EQ(pTemplate->controls.size(), 3u);
    EXPECT_EQ(pTemplate->controls[0].nID, 1u);
    EXPECT_EQ(pTemplate->controls[1].kind, ControlKind::CheckBox);
    EXPECT_EQ(pTemplate->controls[1].text, u"Check &links");
    EXPECT_EQ(pTemplate->controls[2].rect.cx, 226);
    EXPECT_EQ(AfxFindDialogTemplate(IDD_ABOUT)->cx, 180);
    EXPECT_EQ(AfxFindDialogTemplate(IDD_ABOUT + 1), nullptr);
}

TEST_F(ResourceChainTest, TheMostRecentlyLinkedModuleIsSearchedFirst) {
    LinkFirst();
    LinkSecond();
    EXPECT_EQ(AfxFindDialogTemplate(IDD_OPTIONS)->caption, u"Second options");
    EXPECT_EQ(Load(IDS_TITLE), u"Second title");
    // What the newer module lacks comes from the older one.
    EXPECT_EQ(AfxFindDialogTemplate(IDD_ABOUT)->caption, u"About");
    EXPECT_EQ(Load(IDS_ONLY_FIRST), u"Only in the first");

    AfxTermExtensionModule(second);
    EXPECT_EQ(AfxFindDialogTemplate(IDD_OPTIONS)->caption, u"First options");
    EXPECT_EQ(Load(IDS_TITLE), u"First title");
    CString progress;
    EXPECT_FALSE(progress.LoadString(IDS_PROGRESS));

    AfxTermExtensionModule(first);
    EXPECT_EQ(AfxFindDialogTemplate(IDD_OPTIONS), nullptr);
    EXPECT_EQ(Load(IDS_TITLE), u"");
}

TEST_F(ResourceChainTest, LoadStringReadsJapaneseTextAndClearsOnAMissingId) {
    LinkSecond();
    CString text;
    ASSERT_TRUE(text.LoadString(IDS_PROGRESS));
    EXPECT_EQ(text, u"リンクを確認しています…");
    EXPECT_EQ(text.GetLength(), 12);
    EXPECT_EQ(text.ToUtf8(), "リンクを確認しています…");

    EXPECT_FALSE(text.LoadString(IDS_MISSING));
    EXPECT_TRUE(text.IsEmpty());
}

TEST_F(ResourceChainTest, DeletingALibraryUnlinksIt) {
    LinkFirst();
    auto* pExtra = new CDynLinkLibrary(second);  // second is not initialized: it links no resources
    EXPECT_EQ(pExtra->m_pResources, nullptr);
    EXPECT_EQ(Load(IDS_TITLE), u"First title");
    ASSERT_TRUE(AfxInitExtensionModule(second, hSecond));
    auto* pSecond = new CDynLinkLibrary(second);
    EXPECT_EQ(pSecond->m_pResources, &secondResources);
    EXPECT_TRUE(pSecond->IsKindOf(RUNTIME_CLASS(CDynLinkLibrary)));
    EXPECT_EQ(Load(IDS_TITLE), u"Second title");
    delete pSecond;
    EXPECT_EQ(Load(IDS_TITLE), u"First title");
    delete pExtra;
}

TEST_F(ResourceChainTest, InitAndTermFollowTheModulesState) {
    AFX_EXTENSION_MODULE state{};
    EXPECT_FALSE(AfxInitExtensionModule(state, nullptr));
    EXPECT_FALSE(state.bInitialized);
    // Terminating a module that never initialized leaves the others linked.
    LinkFirst();
    AfxTermExtensionModule(state);
    EXPECT_EQ(Load(IDS_TITLE), u"First title");

    EXPECT_TRUE(AfxInitExtensionModule(state, hSecond));
    EXPECT_TRUE(AfxInitExtensionModule(state, hFirst));
    EXPECT_EQ(state.hModule, hSecond);
    EXPECT_EQ(state.hResource, hSecond);
}

TEST_F(ResourceChainTest, TermForgetsTheRegistrationAndTermAllEmptiesTheChain) {
    LinkFirst();
    AfxTermExtensionModule(first);
    // A module loaded again must register again; until then its library links nothing.
    auto* pLibrary = new CDynLinkLibrary(first);
    EXPECT_EQ(pLibrary->m_pResources, nullptr);
    EXPECT_EQ(Load(IDS_TITLE), u"");

    AfxRegisterModuleResources(hFirst, &firstResources);
    new CDynLinkLibrary(first);
    LinkSecond();
    AfxTermExtensionModule(first, TRUE);
    EXPECT_EQ(Load(IDS_TITLE), u"");
    EXPECT_EQ(AfxFindDialogTemplate(IDD_OPTIONS), nullptr);
}

TEST_F(ResourceChainTest, LookupsRunWhileAnotherThreadLinksAndUnlinks) {
    LinkFirst();
    std::atomic<bool> stop{false};
    std::atomic<int> wrong{0};
    std::atomic<int> reads{0};
    std::vector<std::thread> readers;
    for (int i = 0; i < 2; ++i) {
        readers.emplace_back([&] {
            while (!stop) {
                CString title;
                if (!title.LoadString(IDS_TITLE) || (title != u"First title" && title != u"Second title"))
                    ++wrong;
                const DialogTemplate* pTemplate = AfxFindDialogTemplate(IDD_ABOUT);
                if (pTemplate == nullptr || pTemplate->cx != 180)
                    ++wrong;
                ++reads;
            }
        });
    }
    // Enough rounds that the readers overlap many of them, however the threads are scheduled.
    for (int round = 0; round < 200 || reads < 2000; ++round) {
        AfxRegisterModuleResources(hSecond, &secondResources);
        LinkSecond();
        AfxTermExtensionModule(second);
    }
    stop = true;
    for (std::thread& reader : readers)
        reader.join();
    EXPECT_EQ(wrong, 0);
}
