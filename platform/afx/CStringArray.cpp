#include "platform/afx/CStringArray.h"

#include "platform/afx/ArrayBounds.h"

IMPLEMENT_DYNAMIC(CStringArray, CObject)

CStringArray::~CStringArray() = default;

void CStringArray::SetSize(INT_PTR nNewSize, INT_PTR) {
    afx::CheckNewSize(nNewSize);
    m_elements.resize(static_cast<std::size_t>(nNewSize));
}

const CString& CStringArray::GetAt(INT_PTR nIndex) const {
    afx::CheckElementIndex(nIndex, GetSize());
    return m_elements[static_cast<std::size_t>(nIndex)];
}

void CStringArray::SetAt(INT_PTR nIndex, const CString& newElement) { ElementAt(nIndex) = newElement; }

CString& CStringArray::ElementAt(INT_PTR nIndex) {
    afx::CheckElementIndex(nIndex, GetSize());
    return m_elements[static_cast<std::size_t>(nIndex)];
}

INT_PTR CStringArray::Add(const CString& newElement) {
    m_elements.push_back(newElement);
    return GetUpperBound();
}

INT_PTR CStringArray::Add(CString&& newElement) {
    m_elements.push_back(std::move(newElement));
    return GetUpperBound();
}

void CStringArray::InsertAt(INT_PTR nIndex, const CString& newElement, INT_PTR nCount) {
    afx::CheckInsertion(nIndex, nCount, GetSize());
    m_elements.insert(m_elements.begin() + nIndex, static_cast<std::size_t>(nCount), newElement);
}

void CStringArray::RemoveAt(INT_PTR nIndex, INT_PTR nCount) {
    afx::CheckRemoval(nIndex, nCount, GetSize());
    m_elements.erase(m_elements.begin() + nIndex, m_elements.begin() + nIndex + nCount);
}
