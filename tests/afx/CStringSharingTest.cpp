// Copies share one buffer: what can break is a write that reaches a copy, or a count that two threads lose.
#include "AfxTestSupport.h"

#include "platform/afx/CString.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

TEST(CStringSharing, EveryWayOfWritingLeavesTheCopiesAsTheyWere) {
    const CString original(u"http://example.test/Page");
    const auto writes = {
        +[](CString& s) { s.GetBuffer()[0] = u'H'; s.ReleaseBuffer(); },
        +[](CString& s) { s.GetBuffer(100)[4] = u'S'; s.ReleaseBuffer(5); },
        +[](CString& s) { s.GetBufferSetLength(2); },
        +[](CString& s) { s.SetAt(0, u'x'); },
        +[](CString& s) { s += u"/more"; },
        +[](CString& s) { s += s; },
        +[](CString& s) { s.Replace(u'/', u'|'); },
        +[](CString& s) { s.Replace(u"example", u"e"); },
        +[](CString& s) { s.TrimLeft(u'h'); },
        +[](CString& s) { s.TrimRight(u"Pgae"); },
        +[](CString& s) { s.MakeUpper(); },
        +[](CString& s) { s.MakeLower(); },
        +[](CString& s) { s.Format(u"%s!", s.GetString()); },
        +[](CString& s) { s.AppendFormat(u"%d", 7); },
        +[](CString& s) { s = u"other"; },
        +[](CString& s) { s.Empty(); },
    };
    for (auto write : writes) {
        CString written = original;
        const CString copy = written;
        EXPECT_EQ(copy.GetString(), written.GetString()) << "a copy shares the buffer";
        write(written);
        EXPECT_EQ(copy, u"http://example.test/Page");
        EXPECT_EQ(original, u"http://example.test/Page");
        EXPECT_NE(written, original);
    }
}

TEST(CStringSharing, TheWrittenStringKeepsWhatItWrote) {
    CString text(u"abc");
    const CString copy = text;
    LPWSTR buffer = text.GetBuffer(6);
    buffer[3] = u'd';
    buffer[4] = u'\0';
    text.ReleaseBuffer();
    EXPECT_EQ(text, u"abcd");
    text += text;
    EXPECT_EQ(text, u"abcdabcd");
    EXPECT_EQ(copy, u"abc");
    EXPECT_INVALID_ARG(text.ReleaseBuffer(1 << 20));
}

TEST(CStringSharing, EmptyStringsShareOneBufferThatNoWriteReaches) {
    CString a;
    const CString b(u"");
    CString c(u"x");
    c.Empty();
    EXPECT_EQ(a.GetString(), b.GetString());
    EXPECT_EQ(a.GetString(), c.GetString());
    EXPECT_EQ(CString(u"text").Mid(4).GetString(), a.GetString());

    LPWSTR buffer = a.GetBuffer();
    EXPECT_NE(buffer, b.GetString());
    buffer[0] = u'\0';
    a.ReleaseBuffer();
    a.GetBufferSetLength(3);
    EXPECT_EQ(a.GetLength(), 3);
    EXPECT_EQ(b.GetLength(), 0);
    EXPECT_EQ(b.GetString()[0], u'\0');
    c.ReleaseBuffer(0);
    EXPECT_TRUE(c.IsEmpty());
}

// Run under ThreadSanitizer: both threads copy and drop the same strings while the first reads them, as
// the check worker copies the URLs the dialog's rows share.
TEST(CStringSharing, TwoThreadsCopyTheSameStringsAtOnce) {
    std::vector<CString> shared;
    for (int i = 0; i < 64; ++i)
        shared.push_back(CString(u"http://example.test/") + CString(static_cast<char16_t>(u'a' + i % 26), i));
    auto copyAll = [&shared] {
        std::size_t total = 0;
        for (int round = 0; round < 200; ++round) {
            std::vector<CString> copies(shared.begin(), shared.end());
            for (const CString& copy : copies)
                total += static_cast<std::size_t>(copy.GetLength());
        }
        return total;
    };
    std::size_t other = 0;
    std::thread worker([&] { other = copyAll(); });
    const std::size_t mine = copyAll();
    worker.join();
    EXPECT_EQ(mine, other);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(shared[static_cast<std::size_t>(i)].GetLength(), 20 + i);
}
