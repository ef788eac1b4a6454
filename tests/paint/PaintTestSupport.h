#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/win/WinTypes.h"
#include "platform/win/WinUser.h"

namespace painttest {

// A real dialog window ("#32770", with a caption and so a frame) with real controls, made on the test's
// thread and destroyed with the object.
class TestDialog {
public:
    TestDialog(LPCWSTR caption, int clientWidth, int clientHeight);
    TestDialog(const TestDialog&) = delete;
    TestDialog& operator=(const TestDialog&) = delete;
    ~TestDialog();

    HWND Hwnd() const { return hwnd_; }
    // A child of a registered class, with WS_CHILD | WS_VISIBLE added to style; rect in client cells.
    HWND Add(LPCWSTR className, LPCWSTR text, DWORD style, int id, int x, int y, int width, int height);

private:
    HWND hwnd_;
};

// Fills a list view through its messages.
void AddColumn(HWND list, LPCWSTR text, int width);
int AddRow(HWND list, const std::vector<std::u16string>& cells);
void SetRowState(HWND list, int row, UINT state, UINT mask);
void Tick(HWND list, int row, bool ticked);

void AddItem(HWND combo, LPCWSTR text);

// The dialog painted, one UTF-8 string a row.
std::vector<std::string> Picture(HWND hDlg);

}  // namespace painttest
