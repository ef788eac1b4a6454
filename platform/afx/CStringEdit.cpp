#include "platform/afx/CString.h"

#include <algorithm>

namespace {

constexpr std::u16string_view kAsciiWhitespace = u"\t\n\f\r ";

int ToPosition(std::size_t pos) { return pos == std::u16string::npos ? -1 : static_cast<int>(pos); }

}  // namespace

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Mid(int iFirst) const { return Mid(iFirst, GetLength()); }

CString CString::Mid(int iFirst, int nCount) const {
    const std::size_t first = static_cast<std::size_t>(std::clamp(iFirst, 0, GetLength()));
    const std::size_t count = static_cast<std::size_t>(std::max(nCount, 0));
    return CString(m_str.substr(first, count));
}

CString CString::Right(int nCount) const {
    const int count = std::clamp(nCount, 0, GetLength());
    return Mid(GetLength() - count, count);
}

int CString::Find(char16_t ch, int iStart) const {
    if (iStart < 0 || iStart >= GetLength())
        return -1;
    return ToPosition(m_str.find(ch, static_cast<std::size_t>(iStart)));
}

int CString::Find(const char16_t* pszSub, int iStart) const {
    if (pszSub == nullptr || iStart < 0 || iStart > GetLength())
        return -1;
    return ToPosition(m_str.find(pszSub, static_cast<std::size_t>(iStart)));
}

int CString::ReverseFind(char16_t ch) const { return ToPosition(m_str.rfind(ch)); }

int CString::Replace(char16_t chOld, char16_t chNew) {
    if (chOld == chNew)
        return 0;
    int count = 0;
    for (char16_t& ch : m_str) {
        if (ch == chOld) {
            ch = chNew;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char16_t* pszOld, const char16_t* pszNew) {
    const std::u16string_view oldText = View(pszOld);
    const std::u16string_view newText = View(pszNew);
    if (oldText.empty())
        return 0;
    std::u16string result;
    int count = 0;
    std::size_t from = 0;
    for (std::size_t at; (at = m_str.find(oldText, from)) != std::u16string::npos; from = at + oldText.size()) {
        result.append(m_str, from, at - from);
        result.append(newText);
        ++count;
    }
    if (count > 0) {
        result.append(m_str, from);
        m_str = std::move(result);
    }
    return count;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::Trim(char16_t chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }

CString& CString::Trim(const char16_t* pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

CString& CString::TrimLeft() { return TrimLeft(kAsciiWhitespace.data()); }

CString& CString::TrimLeft(char16_t chTarget) {
    m_str.erase(0, std::min(m_str.find_first_not_of(chTarget), m_str.size()));
    return *this;
}

CString& CString::TrimLeft(const char16_t* pszTargets) {
    m_str.erase(0, std::min(m_str.find_first_not_of(View(pszTargets)), m_str.size()));
    return *this;
}

CString& CString::TrimRight() { return TrimRight(kAsciiWhitespace.data()); }

CString& CString::TrimRight(char16_t chTarget) {
    m_str.erase(m_str.find_last_not_of(chTarget) + 1);
    return *this;
}

CString& CString::TrimRight(const char16_t* pszTargets) {
    m_str.erase(m_str.find_last_not_of(View(pszTargets)) + 1);
    return *this;
}

CString& CString::MakeUpper() {
    for (char16_t& ch : m_str) {
        if (ch >= u'a' && ch <= u'z')
            ch = static_cast<char16_t>(ch - 0x20);
    }
    return *this;
}

CString& CString::MakeLower() {
    for (char16_t& ch : m_str) {
        if (ch >= u'A' && ch <= u'Z')
            ch = static_cast<char16_t>(ch + 0x20);
    }
    return *this;
}
