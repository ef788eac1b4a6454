#include "AfxTestSupport.h"

#include "platform/afx/CPtrArray.h"
#include "platform/afx/CString.h"
#include "platform/afx/CStringArray.h"
#include "platform/afx/CTypedPtrArray.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

CStringArray& Fill(CStringArray& array, std::initializer_list<const char16_t*> items) {
    for (const char16_t* item : items)
        array.Add(item);
    return array;
}

std::vector<CString> Contents(const CStringArray& array) {
    return std::vector<CString>(array.GetData(), array.GetData() + array.GetSize());
}

class CLink : public CObject {
    DECLARE_DYNAMIC(CLink)
public:
    explicit CLink(const char16_t* url) : m_url(url) {}
    virtual CString Describe() const { return u"link " + m_url; }
    CString m_url;
};

class CImageLink : public CLink {
    DECLARE_DYNAMIC(CImageLink)
public:
    using CLink::CLink;
    CString Describe() const override { return u"image " + m_url; }
};

IMPLEMENT_DYNAMIC(CLink, CObject)
IMPLEMENT_DYNAMIC(CImageLink, CLink)

}  // namespace

TEST(PtrArray, OutOfRangeIndexesThrowInvalidArg) {
    int a = 1;
    int b = 2;
    CPtrArray array;
    array.Add(&a);
    array.Add(&b);
    const CPtrArray& constArray = array;
    for (INT_PTR bad : {INT_PTR{-1}, array.GetCount()}) {
        EXPECT_INVALID_ARG(array.GetAt(bad));
        EXPECT_INVALID_ARG(array.SetAt(bad, &a));
        EXPECT_INVALID_ARG(array.ElementAt(bad));
        EXPECT_INVALID_ARG(array[bad]);
        EXPECT_INVALID_ARG(constArray[bad]);
        EXPECT_INVALID_ARG(array.RemoveAt(bad));
    }
    EXPECT_INVALID_ARG(array.InsertAt(3, &a));
    EXPECT_INVALID_ARG(array.InsertAt(-1, &a));
    EXPECT_INVALID_ARG(array.InsertAt(0, &a, 0));
    EXPECT_INVALID_ARG(array.RemoveAt(1, 2));
    EXPECT_INVALID_ARG(array.SetSize(-1));
    ASSERT_EQ(array.GetSize(), 2);
    EXPECT_EQ(array[0], &a);
    EXPECT_EQ(array[1], &b);
}

TEST(PtrArray, SizeAndData) {
    CPtrArray array;
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(array.GetUpperBound(), -1);
    EXPECT_EQ(array.GetData(), nullptr);
    int value = 0;
    EXPECT_EQ(array.Add(&value), 0);
    EXPECT_EQ(array.Add(&value), 1);
    array.SetSize(4);
    EXPECT_EQ(array.GetCount(), 4);
    EXPECT_EQ(array.GetAt(3), nullptr);
    array.ElementAt(3) = &value;
    EXPECT_EQ(array.GetData()[3], &value);
    array.SetSize(1);
    EXPECT_EQ(array.GetUpperBound(), 0);
    array.RemoveAll();
    EXPECT_TRUE(array.IsEmpty());
}

TEST(StringArray, OutOfRangeIndexesThrowInvalidArg) {
    CStringArray array;
    Fill(array, {u"a", u"b", u"c"});
    for (INT_PTR bad : {INT_PTR{-1}, array.GetCount()}) {
        EXPECT_INVALID_ARG(array.GetAt(bad));
        EXPECT_INVALID_ARG(array.SetAt(bad, u"x"));
        EXPECT_INVALID_ARG(array.ElementAt(bad));
        EXPECT_INVALID_ARG(array[bad]);
        EXPECT_INVALID_ARG(array.RemoveAt(bad));
    }
    EXPECT_INVALID_ARG(array.InsertAt(4, u"x"));
    EXPECT_INVALID_ARG(array.RemoveAt(2, 2));
    EXPECT_EQ(Contents(array), (std::vector<CString>{u"a", u"b", u"c"}));
}

TEST(StringArray, InsertAndRemoveKeepOrder) {
    CStringArray array;
    Fill(array, {u"a", u"d"});
    array.InsertAt(1, u"b");
    array.InsertAt(2, u"c");
    array.InsertAt(4, u"e");  // at the count: appends
    array.InsertAt(0, u"_", 2);
    EXPECT_EQ(Contents(array), (std::vector<CString>{u"_", u"_", u"a", u"b", u"c", u"d", u"e"}));

    array.RemoveAt(0, 2);
    array.RemoveAt(1, 2);
    array.RemoveAt(2);
    array.RemoveAt(1, 0);
    EXPECT_EQ(Contents(array), (std::vector<CString>{u"a", u"d"}));
    array[1] += u"!";
    array.SetAt(0, u"z");
    EXPECT_EQ(Contents(array), (std::vector<CString>{u"z", u"d!"}));
}

TEST(StringArray, ElementsOfTheSameArrayCanBeAddedAndInserted) {
    // Growing the storage must not read the source element after it moved.
    CStringArray array;
    Fill(array, {u"first element, long enough to live on the heap"});
    for (int i = 0; i < 5; ++i)
        array.Add(array[0]);
    array.InsertAt(1, array[0], 20);
    ASSERT_EQ(array.GetSize(), 26);
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        EXPECT_EQ(array[i], array[0]);
}

TEST(StringArray, SetSizeFillsWithEmptyStrings) {
    CStringArray array;
    Fill(array, {u"keep"});
    array.SetSize(3);
    EXPECT_EQ(Contents(array), (std::vector<CString>{u"keep", u"", u""}));
}

TEST(TypedPtrArray, HoldsAClassType) {
    std::vector<std::unique_ptr<CLink>> owned;
    owned.push_back(std::make_unique<CLink>(u"https://example.org/"));
    owned.push_back(std::make_unique<CImageLink>(u"/logo.png"));
    owned.push_back(std::make_unique<CLink>(u"/about"));

    CTypedPtrArray<CPtrArray, CLink*> links;
    EXPECT_EQ(links.Add(owned[0].get()), 0);
    EXPECT_EQ(links.Add(owned[2].get()), 1);
    links.InsertAt(1, owned[1].get());

    CLink* second = links.GetAt(1);
    EXPECT_EQ(second->Describe(), u"image /logo.png");
    EXPECT_TRUE(links[1]->IsKindOf(RUNTIME_CLASS(CImageLink)));
    EXPECT_FALSE(links[0]->IsKindOf(RUNTIME_CLASS(CImageLink)));

    links[0] = owned[2].get();
    links.ElementAt(2)->m_url = u"/contact";
    EXPECT_EQ(links.GetAt(0)->Describe(), u"link /contact");
    links.SetAt(2, owned[0].get());
    EXPECT_EQ(links[2]->m_url, u"https://example.org/");

    EXPECT_INVALID_ARG(links.GetAt(3));
    EXPECT_INVALID_ARG(links[-1]);
    EXPECT_TRUE(links.IsKindOf(RUNTIME_CLASS(CPtrArray)));
}
