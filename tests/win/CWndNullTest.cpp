#include "platform/afx/CWnd.h"

#include <gtest/gtest.h>

namespace {

// Framework code asks a window pointer that may be null for its handle; the call answers null. This file is
// built without the sanitizer's null and dynamic-type checks of calls, since the call through a null pointer is the point here.
TEST(CWndNullTest, GetSafeHwndThroughANullPointerIsNull) {
    CWnd* volatile nowhere = nullptr;
    CWnd* pWnd = nowhere;
    EXPECT_EQ(pWnd->GetSafeHwnd(), nullptr);
    EXPECT_FALSE(IsWindow(pWnd->GetSafeHwnd()));
}

}  // namespace
