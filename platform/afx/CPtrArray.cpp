#include "platform/afx/CPtrArray.h"

#include "platform/afx/ArrayBounds.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CPtrArray, CObject)

CPtrArray::~CPtrArray() = default;

void CPtrArray::SetSize(INT_PTR nNewSize, INT_PTR) {
    afx::CheckNewSize(nNewSize);
    m_elements.resize(static_cast<std::size_t>(nNewSize), nullptr);
}

void* CPtrArray::GetAt(INT_PTR nIndex) const {
    afx::CheckElementIndex(nIndex, GetSize());
    return m_elements[static_cast<std::size_t>(nIndex)];
}

void CPtrArray::SetAt(INT_PTR nIndex, void* newElement) { ElementAt(nIndex) = newElement; }

void*& CPtrArray::ElementAt(INT_PTR nIndex) {
    afx::CheckElementIndex(nIndex, GetSize());
    return m_elements[static_cast<std::size_t>(nIndex)];
}

INT_PTR CPtrArray::Add(void* newElement) {
    if (m_elements.size() == m_elements.capacity())
        m_elements.reserve(m_elements.size() + std::max<std::size_t>(4, m_elements.size() / 8));
    m_elements.push_back(newElement);
    return GetUpperBound();
}

void CPtrArray::InsertAt(INT_PTR nIndex, void* newElement, INT_PTR nCount) {
    afx::CheckInsertion(nIndex, nCount, GetSize());
    m_elements.insert(m_elements.begin() + nIndex, static_cast<std::size_t>(nCount), newElement);
}

void CPtrArray::RemoveAt(INT_PTR nIndex, INT_PTR nCount) {
    afx::CheckRemoval(nIndex, nCount, GetSize());
    m_elements.erase(m_elements.begin() + nIndex, m_elements.begin() + nIndex + nCount);
}
