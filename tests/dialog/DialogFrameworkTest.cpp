#include "tests/dialog/DialogTestSupport.h"

#include "platform/afx/CButton.h"
#include "platform/afx/CDialog.h"
#include "platform/afx/CDynLinkLibrary.h"
#include "platform/win/ModalFrontEnd.h"
#include "platform/win/WinControls.h"
#include "platform/win/WindowInput.h"

#include <gmock/gmock.h>

namespace dialogtest {
namespace {

using ::testing::ElementsAre;
using headless::HeadlessFrontEnd;

constexpr UINT IDD_SMALL = 700;
constexpr UINT IDD_MISSING = 701;
constexpr int IDC_NAME_LABEL = 10;
constexpr int IDC_NAME = 11;
constexpr int IDC_KEEP = 12;

int testImage;
HINSTANCE const hTest = reinterpret_cast<HINSTANCE>(&testImage);

const ResourceSet testResources{
    {{IDD_SMALL,
      u"Small",
      WS_POPUP | WS_CAPTION | WS_VISIBLE,
      200,
      100,
      {9, u"MS Shell Dlg"},
      {
          {IDC_NAME_LABEL, ControlKind::Static, u"&Name:", {4, 4, 40, 8}, WS_VISIBLE | WS_GROUP},
          {IDC_NAME, ControlKind::Edit, u"", {48, 4, 100, 12}, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
          {IDC_KEEP, ControlKind::CheckBox, u"&Keep", {4, 20, 60, 10}, WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP},
          {IDOK, ControlKind::PushButton, u"OK", {100, 80, 40, 14}, WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP},
          {IDCANCEL, ControlKind::PushButton, u"Cancel", {150, 80, 40, 14}, WS_VISIBLE | WS_TABSTOP},
      }}},
    {},
};

class SmallDialog : public CDialog {
public:
    explicit SmallDialog(UINT nID = IDD_SMALL, CWnd* parent = nullptr) : CDialog(nID, parent) {}

    std::vector<int> idsAtInit;
    std::vector<RECT> rectsAtInit;
    int keepClicks = 0;
    CButton keep;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_KEEP, keep);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
            idsAtInit.push_back(::GetDlgCtrlID(child));
            RECT rect;
            ::GetWindowRect(child, &rect);
            rectsAtInit.push_back(rect);
        }
        return TRUE;
    }
    void OnKeep() { ++keepClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SmallDialog, CDialog)
    ON_BN_CLICKED(IDC_KEEP, &SmallDialog::OnKeep)
END_MESSAGE_MAP()

class DialogFramework : public ::testing::Test {
protected:
    void SetUp() override {
        AfxRegisterModuleResources(hTest, &testResources);
        AfxInitExtensionModule(state, hTest);
        new CDynLinkLibrary(state);
    }
    void TearDown() override {
        win::SetModalFrontEnd(nullptr);
        AfxTermExtensionModule(state);
    }

    INT_PTR Run(SmallDialog& dialog, std::vector<Step> steps) {
        HeadlessFrontEnd frontEnd(std::move(steps));
        win::SetModalFrontEnd(&frontEnd);
        const INT_PTR result = dialog.DoModal();
        win::SetModalFrontEnd(nullptr);
        return result;
    }

    // A key as the terminal delivers it: to the focus, through the dialog's keyboard handling.
    static Step Key(WORD vk, bool shift = false) {
        return [vk, shift](HeadlessFrontEnd& frontEnd) {
            SetKeyModifiers(shift, false, false);
            DeliverInput(frontEnd.Dialog(), MSG{::GetFocus(), WM_KEYDOWN, vk, 0, 0});
            SetKeyModifiers(false, false, false);
            return true;
        };
    }
    static Step AltChar(char16_t c) {
        return [c](HeadlessFrontEnd& frontEnd) {
            DeliverInput(frontEnd.Dialog(), MSG{::GetFocus(), WM_SYSCHAR, c, 0, 0});
            return true;
        };
    }

    AFX_EXTENSION_MODULE state{FALSE, nullptr, nullptr};
};

TEST_F(DialogFramework, MissingTemplateGivesMinusOne) {
    SmallDialog dialog(IDD_MISSING);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST_F(DialogFramework, BuildsControlsInTemplateOrderInCellsBindsThemAndFocusesTheFirstTabStop) {
    SmallDialog dialog;
    HWND focusAtStart = nullptr;
    HWND nameControl = nullptr;
    HWND dialogWindow = nullptr;
    EXPECT_EQ(Run(dialog, {Do([&](HeadlessFrontEnd& frontEnd) {
                  focusAtStart = ::GetFocus();
                  dialogWindow = frontEnd.Dialog();
                  nameControl = ::GetDlgItem(dialogWindow, IDC_NAME);
                  EXPECT_EQ(dialog.keep.m_hWnd, ::GetDlgItem(dialogWindow, IDC_KEEP));
                  RECT client;
                  ::GetClientRect(dialogWindow, &client);
                  EXPECT_EQ(client.right, 67);  // 200 / 3 = 66.7, rounded to the nearest
                  EXPECT_EQ(client.bottom, 13);  // 100 / 8 = 12.5, rounded up
              })}),
              IDCANCEL);
    EXPECT_THAT(dialog.idsAtInit, ElementsAre(IDC_NAME_LABEL, IDC_NAME, IDC_KEEP, IDOK, IDCANCEL));
    ASSERT_EQ(dialog.rectsAtInit.size(), 5u);
    // Edges round to the nearest cell: x 48..148 -> 16..49, y 4..16 -> 1..2 (0.5 rounds up).
    EXPECT_EQ(dialog.rectsAtInit[1].left, 16);
    EXPECT_EQ(dialog.rectsAtInit[1].right, 49);
    EXPECT_EQ(dialog.rectsAtInit[1].top, 1);
    EXPECT_EQ(dialog.rectsAtInit[1].bottom, 2);
    EXPECT_EQ(focusAtStart, nameControl);
    // The windows are gone and the member let go of its control.
    EXPECT_FALSE(::IsWindow(dialogWindow));
    EXPECT_EQ(dialog.keep.m_hWnd, nullptr);
}

TEST_F(DialogFramework, EnterAndEscapePressTheirButtonsOnlyWhenEnabled) {
    SmallDialog enterDialog;
    EXPECT_EQ(Run(enterDialog, {Key(VK_RETURN)}), IDOK);

    SmallDialog escapeDialog;
    EXPECT_EQ(Run(escapeDialog, {Key(VK_ESCAPE)}), IDCANCEL);

    // Both buttons disabled: the keys do nothing, and closing the window still ends the dialog as Cancel.
    SmallDialog lockedDialog;
    bool stillOpen = false;
    EXPECT_EQ(Run(lockedDialog, {Do([](HeadlessFrontEnd& frontEnd) {
                                     ::EnableWindow(::GetDlgItem(frontEnd.Dialog(), IDOK), FALSE);
                                     ::EnableWindow(::GetDlgItem(frontEnd.Dialog(), IDCANCEL), FALSE);
                                 }),
                                 Key(VK_RETURN), Key(VK_ESCAPE),
                                 Do([&](HeadlessFrontEnd& frontEnd) { stillOpen = ::IsWindow(frontEnd.Dialog()); }),
                                 Do([](HeadlessFrontEnd& frontEnd) { EXPECT_TRUE(frontEnd.Close().Ok()); })}),
              IDCANCEL);
    EXPECT_TRUE(stillOpen);
}

TEST_F(DialogFramework, TabAndMnemonicsMoveTheFocusInTemplateOrder) {
    SmallDialog dialog;
    std::vector<int> focusIds;
    auto note = Do([&](HeadlessFrontEnd&) { focusIds.push_back(::GetDlgCtrlID(::GetFocus())); });
    Run(dialog, {note, Key(VK_TAB), note, Key(VK_TAB), note, Key(VK_TAB), note, Key(VK_TAB), note,
                 Key(VK_TAB, true), note, AltChar(u'n'), note, AltChar(u'K'), note,
                 Do([](HeadlessFrontEnd& frontEnd) { EXPECT_TRUE(frontEnd.Close().Ok()); })});
    // The label takes no focus: its mnemonic hands it to the edit box; a check box's mnemonic clicks it.
    EXPECT_THAT(focusIds, ElementsAre(IDC_NAME, IDC_KEEP, IDOK, IDCANCEL, IDC_NAME, IDCANCEL, IDC_NAME, IDC_KEEP));
    EXPECT_EQ(dialog.keepClicks, 1);
}

TEST_F(DialogFramework, TheOwnerTakesNoInputWhileTheDialogRuns) {
    CWnd owner;
    ASSERT_TRUE(owner.CreateMessageOnly());
    SmallDialog dialog(IDD_SMALL, &owner);
    bool ownerEnabled = true;
    Run(dialog, {Do([&](HeadlessFrontEnd&) { ownerEnabled = owner.IsWindowEnabled(); })});
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

}  // namespace
}  // namespace dialogtest
