#pragma once

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/afx/CDialog.h"
#include "platform/afx/CDynLinkLibrary.h"
#include "platform/headless/HeadlessFrontEnd.h"
#include "platform/win/CommCtrl.h"

namespace headlesstest {

inline constexpr UINT kDialogId = 7100;
inline constexpr int kNameLabel = 100;
inline constexpr int kEdit = 101;
inline constexpr int kCombo = 102;
inline constexpr int kCheck = 103;
inline constexpr int kList = 104;
inline constexpr int kStop = 3007;
inline constexpr int kRows = 20;
inline constexpr int kItems = 10;

// What the dialog heard from its controls, in order.
struct Heard {
    UINT message;  // WM_COMMAND or WM_NOTIFY
    int id;
    UINT code;
    int item;  // WM_NOTIFY from the list: the row (or the column for LVN_COLUMNCLICK); else -1

    bool operator==(const Heard&) const = default;
};

// A dialog of 40 x 14 cells built from a template: a label and an edit box, a combo box of kItems items
// (3 lines of list), a check box, a list view with check boxes and kRows rows (3 rows a page), and OK, Cancel
// and a disabled Stop button. It records what its controls tell it.
class TestDialog : public CDialog {
public:
    explicit TestDialog(CWnd* owner) : CDialog(kDialogId, owner) {}

    // Everything heard, closing and destroying the dialog included.
    std::vector<Heard> heard;
    int vetoTickOfRow = -1;  // LVN_ITEMCHANGING for this row's tick answers TRUE
    std::function<void(UINT message, WPARAM wParam)> onMessage;  // WM_APP and above

    // The notifications of one kind.
    std::vector<Heard> Of(UINT message, UINT code) const;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Each test gets the dialog's template in the resource chain.
class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the dialog modally under a headless front end with these steps; returns the modal result.
    INT_PTR Run(std::vector<headless::HeadlessFrontEnd::Step> steps);
    // A step that does `action` once.
    static headless::HeadlessFrontEnd::Step Do(std::function<void(headless::HeadlessFrontEnd&)> action);
    HWND Item(int id) const { return ::GetDlgItem(dialog_.m_hWnd, id); }

    CWnd owner_;  // the host's window, which the dialog disables while it runs
    TestDialog dialog_{&owner_};
    headless::HeadlessFrontEnd frontEnd_;

private:
    AFX_EXTENSION_MODULE module_{};
};

}  // namespace headlesstest
