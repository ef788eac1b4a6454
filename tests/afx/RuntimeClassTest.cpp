#include "platform/afx/CException.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CPtrArray.h"
#include "platform/afx/CStringArray.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};

class CCircle : public CShape {
    DECLARE_DYNAMIC(CCircle)
public:
    double m_radius = 1.0;
};

class CSquare : public CShape {
    DECLARE_DYNAMIC(CSquare)
};

// Declares no runtime class of its own.
class CUnitCircle : public CCircle {};

IMPLEMENT_DYNAMIC(CShape, CObject)
IMPLEMENT_DYNAMIC(CCircle, CShape)
IMPLEMENT_DYNAMIC(CSquare, CShape)

}  // namespace

TEST(RuntimeClass, CObjectIsTheRoot) {
    const CRuntimeClass* root = RUNTIME_CLASS(CObject);
    EXPECT_STREQ(root->m_lpszClassName, "CObject");
    EXPECT_EQ(root->m_pBaseClass, nullptr);
    EXPECT_TRUE(root->IsDerivedFrom(root));
}

TEST(RuntimeClass, RecordsDescribeTheirClass) {
    const CRuntimeClass* circle = RUNTIME_CLASS(CCircle);
    EXPECT_STREQ(circle->m_lpszClassName, "CCircle");
    EXPECT_EQ(circle->m_nObjectSize, static_cast<int>(sizeof(CCircle)));
    EXPECT_EQ(circle->m_wSchema, 0xFFFFu);
    EXPECT_EQ(circle->m_pBaseClass, RUNTIME_CLASS(CShape));
    EXPECT_EQ(circle->m_pBaseClass->m_pBaseClass, RUNTIME_CLASS(CObject));
}

TEST(RuntimeClass, IsKindOfFollowsTheHierarchy) {
    CCircle circle;
    const CObject& object = circle;
    EXPECT_EQ(object.GetRuntimeClass(), RUNTIME_CLASS(CCircle));
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(object.IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_FALSE(object.IsKindOf(RUNTIME_CLASS(CException)));

    CShape shape;
    EXPECT_FALSE(shape.IsKindOf(RUNTIME_CLASS(CCircle)));
    CSquare square;
    EXPECT_TRUE(square.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_FALSE(square.IsKindOf(RUNTIME_CLASS(CCircle)));
}

TEST(RuntimeClass, UndeclaredClassReportsItsNearestDeclaredBase) {
    CUnitCircle unit;
    EXPECT_EQ(unit.GetRuntimeClass(), RUNTIME_CLASS(CCircle));
    EXPECT_STREQ(unit.GetRuntimeClass()->m_lpszClassName, "CCircle");
    EXPECT_TRUE(unit.IsKindOf(RUNTIME_CLASS(CShape)));
}

TEST(RuntimeClass, FrameworkClassesFromTheLibrary) {
    // These records live in the platform library; the comparisons are by address across the boundary.
    CStringArray strings;
    CPtrArray pointers;
    EXPECT_STREQ(strings.GetRuntimeClass()->m_lpszClassName, "CStringArray");
    EXPECT_TRUE(strings.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(strings.IsKindOf(RUNTIME_CLASS(CPtrArray)));
    EXPECT_TRUE(pointers.IsKindOf(RUNTIME_CLASS(CPtrArray)));

    CInvalidArgException invalidArg;
    EXPECT_TRUE(invalidArg.IsKindOf(RUNTIME_CLASS(CException)));
    EXPECT_FALSE(invalidArg.IsKindOf(RUNTIME_CLASS(CMemoryException)));
    EXPECT_TRUE(RUNTIME_CLASS(CMemoryException)->IsDerivedFrom(RUNTIME_CLASS(CObject)));
}
