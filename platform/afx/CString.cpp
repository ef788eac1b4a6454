#include "platform/afx/CString.h"

#include "platform/afx/FormatEngine.h"
#include "platform/afx/Utf8.h"

#include <algorithm>

namespace {

char16_t FoldAscii(char16_t ch) { return ch >= u'A' && ch <= u'Z' ? static_cast<char16_t>(ch + 0x20) : ch; }

int CompareFolded(std::u16string_view a, std::u16string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char16_t x = FoldAscii(a[i]);
        const char16_t y = FoldAscii(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

CString::CString(const char16_t* psz) : m_str(View(psz)) {}

CString::CString(const char16_t* pch, int nLength) {
    if (nLength < 0 || (pch == nullptr && nLength > 0))
        AfxThrowInvalidArgException();
    if (nLength > 0)
        m_str.assign(pch, static_cast<std::size_t>(nLength));
}

CString::CString(const std::u16string& str) : m_str(str) {}

CString::CString(std::u16string&& str) noexcept : m_str(std::move(str)) {}

CString::CString(std::u16string_view str) : m_str(str) {}

CString::CString(char16_t ch, int nRepeat) : m_str(static_cast<std::size_t>(std::max(nRepeat, 0)), ch) {}

CString& CString::operator=(const char16_t* psz) {
    m_str = View(psz);
    return *this;
}

CString& CString::operator=(const std::u16string& str) {
    m_str = str;
    return *this;
}

CString& CString::operator=(char16_t ch) {
    m_str.assign(1, ch);
    return *this;
}

char16_t CString::GetAt(int iChar) const {
    if (iChar < 0 || iChar > GetLength())
        AfxThrowInvalidArgException();
    return m_str[static_cast<std::size_t>(iChar)];
}

void CString::SetAt(int iChar, char16_t ch) {
    if (iChar < 0 || iChar >= GetLength())
        AfxThrowInvalidArgException();
    m_str[static_cast<std::size_t>(iChar)] = ch;
}

int CString::Compare(const char16_t* psz) const { return Sign(std::u16string_view(m_str).compare(View(psz))); }

int CString::Compare(const CString& str) const { return Sign(m_str.compare(str.m_str)); }

int CString::CompareNoCase(const char16_t* psz) const { return CompareFolded(m_str, View(psz)); }

int CString::CompareNoCase(const CString& str) const { return CompareFolded(m_str, str.m_str); }

CString& CString::operator+=(const CString& str) {
    m_str += str.m_str;
    return *this;
}

CString& CString::operator+=(const char16_t* psz) {
    m_str += View(psz);
    return *this;
}

CString& CString::operator+=(char16_t ch) {
    m_str += ch;
    return *this;
}

// Both build the text aside first: an argument may be a view of this very string.
void CString::FormatList(const char16_t* pszFormat, std::span<const afx::FormatArg> args) {
    std::u16string text;
    afx::AppendFormatted(text, pszFormat, args);
    m_str = std::move(text);
}

void CString::AppendFormatList(const char16_t* pszFormat, std::span<const afx::FormatArg> args) {
    std::u16string text;
    afx::AppendFormatted(text, pszFormat, args);
    m_str += text;
}

CString CString::FromUtf8(std::string_view utf8) { return CString(afx::DecodeUtf8(utf8)); }

std::string CString::ToUtf8() const { return afx::EncodeUtf8(m_str); }
