#include "platform/afx/CButton.h"
#include "platform/afx/CComboBox.h"
#include "platform/afx/CEdit.h"
#include "platform/afx/CStatic.h"
#include "platform/win/CommandMessages.h"
#include "platform/win/WindowInput.h"
#include "tests/controls/ControlsTestSupport.h"

#include <gtest/gtest.h>

namespace {

using controlstest::ParentWindow;

class WrapperTest : public controlstest::ControlsTest {
protected:
    ParentWindow parent;
};

// The module binds its members to the dialog's controls and lets go before the dialog destroys them.
template <typename Wrapper>
class Bound : public Wrapper {
public:
    explicit Bound(HWND hWnd) { EXPECT_TRUE(this->Attach(hWnd)); }
    ~Bound() override { this->Detach(); }
};

TEST_F(WrapperTest, CButtonReadsAndSetsCheckStateAndStyle) {
    HWND check = parent.Add(u"Button", u"&Check", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 0, 0, 10, 1);
    Bound<CButton> box(check);
    Bound<CButton> ok(parent.Add(u"Button", u"OK", BS_PUSHBUTTON, IDOK, 0, 1, 10, 1));
    box.SetCheck(BST_CHECKED);
    EXPECT_EQ(box.GetCheck(), BST_CHECKED);
    controlstest::Click(check);
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
    box.SetState(TRUE);
    EXPECT_EQ(box.GetState(), static_cast<UINT>(BST_PUSHED | BST_FOCUS));  // the click took the focus
    EXPECT_EQ(box.GetButtonStyle(), static_cast<UINT>(BS_AUTOCHECKBOX));

    ok.SetButtonStyle(BS_DEFPUSHBUTTON);
    EXPECT_EQ(ok.GetButtonStyle(), static_cast<UINT>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(ok.SendMessage(WM_GETDLGCODE), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(parent.Take().size(), 1u);  // the user's click only
}

TEST_F(WrapperTest, CComboBoxManagesItemsWithoutNotifying) {
    Bound<CComboBox> combo(parent.Add(u"ComboBox", u"", CBS_DROPDOWNLIST | CBS_SORT, 20, 0, 0, 20, 5));
    EXPECT_EQ(combo.AddString(u"https"), 0);
    EXPECT_EQ(combo.AddString(u"ftp"), 0);
    EXPECT_EQ(combo.InsertString(-1, u"alpha"), 2);
    EXPECT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(combo.SetCurSel(1), 1);
    CString text;
    combo.GetLBText(combo.GetCurSel(), text);
    EXPECT_EQ(text, u"https");
    EXPECT_EQ(combo.GetLBTextLen(2), 5);
    combo.GetLBText(7, text);
    EXPECT_TRUE(text.IsEmpty());

    combo.ShowDropDown();
    EXPECT_TRUE(combo.GetDroppedState());
    combo.ShowDropDown(FALSE);
    EXPECT_EQ(combo.DeleteString(0), 2);
    EXPECT_EQ(combo.GetCurSel(), 0);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
    for (const auto& command : parent.Take())
        EXPECT_NE(command.code, CBN_SELCHANGE);
}

TEST_F(WrapperTest, CEditSelectsAndLimits) {
    Bound<CEdit> edit(parent.Add(u"Edit", u"http://example.com/", ES_AUTOHSCROLL | WS_BORDER, 30, 0, 0, 30, 1));
    int start = -1;
    int end = -1;
    edit.SetSel(7, 14);
    edit.GetSel(start, end);
    EXPECT_EQ(start, 7);
    EXPECT_EQ(end, 14);
    edit.LimitText(14);
    controlstest::Type(edit.m_hWnd, u"abc");  // "example" becomes "a", "b" fills the limit, "c" is refused
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, u"http://ab.com/");
    edit.SetSel(0, -1);
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 14);
}

TEST_F(WrapperTest, CStaticBindsALabel) {
    Bound<CStatic> label(parent.Add(u"Static", u"&URL:", SS_LEFT, 40, 0, 0, 10, 1));
    EXPECT_TRUE(label.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_STREQ(label.GetRuntimeClass()->m_lpszClassName, "CStatic");
}

}  // namespace
