#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/CObject.h"
#include "platform/win/WinTypes.h"

#include <vector>

// An array of untyped pointers; it does not own what they point to. Any index outside the array throws
// CInvalidArgException (InsertAt also takes GetSize(), which appends).
class AFX_API CPtrArray : public CObject {
    DECLARE_DYNAMIC(CPtrArray)
public:
    CPtrArray() = default;
    ~CPtrArray() override;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_elements.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_elements.empty(); }

    // New elements are null. nGrowBy is accepted for the framework's callers; growth is amortized anyway.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);

    void* GetAt(INT_PTR nIndex) const;
    void SetAt(INT_PTR nIndex, void* newElement);
    void*& ElementAt(INT_PTR nIndex);
    void* operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    void*& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    // Null while the array is empty.
    void** GetData() { return m_elements.empty() ? nullptr : m_elements.data(); }
    void* const* GetData() const { return m_elements.empty() ? nullptr : m_elements.data(); }

    // Returns the new element's index. The array grows by an eighth of its size, as the framework's arrays
    // do, not by doubling: a list of 100 000 items keeps some 12 000 spare slots rather than up to 100 000.
    INT_PTR Add(void* newElement);
    void InsertAt(INT_PTR nIndex, void* newElement, INT_PTR nCount = 1);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
    void RemoveAll() { m_elements.clear(); }

private:
    std::vector<void*> m_elements;
};
