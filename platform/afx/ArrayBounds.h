#pragma once

#include "platform/afx/CException.h"
#include "platform/win/WinTypes.h"

// The index checks shared by the framework's arrays: a bad index throws CInvalidArgException instead of
// touching memory outside the array. Internal to the platform library.
namespace afx {

// 0 <= nIndex < nSize.
inline void CheckElementIndex(INT_PTR nIndex, INT_PTR nSize) {
    if (nIndex < 0 || nIndex >= nSize)
        AfxThrowInvalidArgException();
}

// 0 <= nIndex <= nSize (inserting at nSize appends) and at least one element to insert.
inline void CheckInsertion(INT_PTR nIndex, INT_PTR nCount, INT_PTR nSize) {
    if (nIndex < 0 || nIndex > nSize || nCount < 1)
        AfxThrowInvalidArgException();
}

// A valid nIndex, and nCount elements from it that all exist.
inline void CheckRemoval(INT_PTR nIndex, INT_PTR nCount, INT_PTR nSize) {
    CheckElementIndex(nIndex, nSize);
    if (nCount < 0 || nCount > nSize - nIndex)
        AfxThrowInvalidArgException();
}

inline void CheckNewSize(INT_PTR nNewSize) {
    if (nNewSize < 0)
        AfxThrowInvalidArgException();
}

}  // namespace afx
