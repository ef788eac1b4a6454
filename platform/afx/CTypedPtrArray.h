#pragma once

#include "platform/afx/CPtrArray.h"
#include "platform/win/WinTypes.h"

#include <type_traits>

// A type-safe face over a pointer array: CTypedPtrArray<CPtrArray, CFoo*> stores CFoo* as void* and hands
// them back as CFoo*. It owns nothing, like its base.
template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
    static_assert(std::is_pointer_v<TYPE>, "CTypedPtrArray holds pointers");

public:
    TYPE GetAt(INT_PTR nIndex) const { return static_cast<TYPE>(BASE_CLASS::GetAt(nIndex)); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    // The stored void* is used as a TYPE: every pointer type has the one representation here, and the
    // compilers we build with let any object pointer alias a void*.
    TYPE& ElementAt(INT_PTR nIndex) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(nIndex)); }
    TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1) {
        BASE_CLASS::InsertAt(nIndex, newElement, nCount);
    }
};
