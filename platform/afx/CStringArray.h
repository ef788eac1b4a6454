#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"
#include "platform/win/WinTypes.h"

#include <vector>

// An array of strings. Any index outside the array throws CInvalidArgException (InsertAt also takes
// GetSize(), which appends).
class AFX_API CStringArray : public CObject {
    DECLARE_DYNAMIC(CStringArray)
public:
    CStringArray() = default;
    ~CStringArray() override;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_elements.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_elements.empty(); }

    // New elements are empty. nGrowBy is accepted for the framework's callers; growth is amortized anyway.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);

    const CString& GetAt(INT_PTR nIndex) const;
    void SetAt(INT_PTR nIndex, const CString& newElement);
    CString& ElementAt(INT_PTR nIndex);
    const CString& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    CString& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    // Null while the array is empty.
    CString* GetData() { return m_elements.empty() ? nullptr : m_elements.data(); }
    const CString* GetData() const { return m_elements.empty() ? nullptr : m_elements.data(); }

    // Returns the new element's index.
    INT_PTR Add(const CString& newElement);
    INT_PTR Add(CString&& newElement);
    void InsertAt(INT_PTR nIndex, const CString& newElement, INT_PTR nCount = 1);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
    void RemoveAll() { m_elements.clear(); }

private:
    std::vector<CString> m_elements;
};
