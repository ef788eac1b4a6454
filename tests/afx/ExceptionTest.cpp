#include "AfxTestSupport.h"

#include "platform/afx/CException.h"
#include "platform/afx/CString.h"

#include <gtest/gtest.h>

#include <string>

TEST(Exception, InvalidArgIsThrownAsAPointerAndCarriesAMessage) {
    try {
        AfxThrowInvalidArgException();
        FAIL() << "nothing thrown";
    } catch (CException* e) {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
        char16_t buffer[128];
        UINT helpContext = 7;
        EXPECT_TRUE(e->GetErrorMessage(buffer, 128, &helpContext));
        EXPECT_EQ(CString(buffer), CString(u"Encountered an improper argument."));
        EXPECT_EQ(helpContext, 0u);
        e->Delete();
    }
}

TEST(Exception, MessageIsCutToTheBufferAndTerminated) {
    CInvalidArgException e(FALSE);
    char16_t buffer[8] = {u'#', u'#', u'#', u'#', u'#', u'#', u'#', u'#'};
    EXPECT_TRUE(e.GetErrorMessage(buffer, 6));
    EXPECT_EQ(std::u16string(buffer), u"Encou");
    EXPECT_EQ(buffer[6], u'#');
    EXPECT_FALSE(e.GetErrorMessage(buffer, 0));
    EXPECT_FALSE(e.GetErrorMessage(nullptr, 8));
}

TEST(Exception, MemoryExceptionIsPreallocatedAndSurvivesDelete) {
    CException* first = nullptr;
    for (int round = 0; round < 2; ++round) {
        try {
            AfxThrowMemoryException();
        } catch (CException* e) {
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CMemoryException)));
            if (first == nullptr)
                first = e;
            EXPECT_EQ(e, first);
            e->Delete();  // must not free the shared instance: the sanitizer build would catch it
        }
    }
    ASSERT_NE(first, nullptr);
    char16_t buffer[32];
    EXPECT_TRUE(first->GetErrorMessage(buffer, 32));
    EXPECT_EQ(std::u16string(buffer), u"Out of memory.");
}
