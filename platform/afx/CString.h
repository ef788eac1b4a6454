#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/CException.h"
#include "platform/afx/FormatArg.h"
#include "platform/win/WinTypes.h"

#include <array>
#include <compare>
#include <concepts>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

// UTF-16 text held by value, with the framework's string interface.
//
// Every code unit is kept, U+0000 included: a CString made from a std::u16string with a U+0000 inside has
// the full length, and comparisons and concatenation between CStrings see every unit. Only the C-string
// view (GetString(), the LPCWSTR conversion) and the functions taking a const char16_t* stop at the first
// U+0000, as any C-string reader does.
//
// Positions and lengths count UTF-16 code units. Case folding (CompareNoCase, MakeUpper, MakeLower) and
// white space (Trim) are ASCII only: that is what HTML names, attribute values and URL schemes need, and it
// never depends on a locale. An index outside the string throws CInvalidArgException, as in the framework.
class AFX_API CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(const char16_t* psz);  // null makes an empty string
    CString(const char16_t* pch, int nLength);
    CString(const std::u16string& str);
    CString(std::u16string&& str) noexcept;
    explicit CString(std::u16string_view str);
    explicit CString(char16_t ch, int nRepeat = 1);
    ~CString() = default;

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char16_t* psz);
    CString& operator=(const std::u16string& str);
    CString& operator=(char16_t ch);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    // Reads 0..GetLength(); the position GetLength() is the terminating U+0000.
    char16_t GetAt(int iChar) const;
    template <std::integral Index>
    char16_t operator[](Index iChar) const {
        if (!std::in_range<int>(iChar))
            AfxThrowInvalidArgException();
        return GetAt(static_cast<int>(iChar));
    }
    // Writes 0..GetLength() - 1.
    void SetAt(int iChar, char16_t ch);

    const char16_t* GetString() const { return m_str.c_str(); }
    operator const char16_t*() const { return m_str.c_str(); }

    // Ordinal comparison by code unit: negative, zero or positive.
    int Compare(const char16_t* psz) const;
    int Compare(const CString& str) const;
    int CompareNoCase(const char16_t* psz) const;
    int CompareNoCase(const CString& str) const;

    CString& operator+=(const CString& str);
    CString& operator+=(const char16_t* psz);
    CString& operator+=(char16_t ch);

    // printf-style formatting; see afx::AppendFormatted for the conversions. Arguments may be integers,
    // enumerations, char16_t pointers, CString, std::u16string and std::u16string_view.
    template <typename... Args>
    void Format(const char16_t* pszFormat, const Args&... args) {
        const std::array<afx::FormatArg, sizeof...(Args)> list{MakeFormatArg(args)...};
        FormatList(pszFormat, list);
    }
    template <typename... Args>
    void AppendFormat(const char16_t* pszFormat, const Args&... args) {
        const std::array<afx::FormatArg, sizeof...(Args)> list{MakeFormatArg(args)...};
        AppendFormatList(pszFormat, list);
    }
    void FormatList(const char16_t* pszFormat, std::span<const afx::FormatArg> args);
    void AppendFormatList(const char16_t* pszFormat, std::span<const afx::FormatArg> args);

    // Substrings clamp their bounds to the string instead of throwing, as in the framework.
    CString Left(int nCount) const;
    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;
    CString Right(int nCount) const;

    // Position of the first match at or after iStart, or -1 (also for a negative iStart).
    int Find(char16_t ch, int iStart = 0) const;
    int Find(const char16_t* pszSub, int iStart = 0) const;
    int ReverseFind(char16_t ch) const;

    // Return the number of replacements. A null or empty pszOld replaces nothing; a null pszNew removes.
    int Replace(char16_t chOld, char16_t chNew);
    int Replace(const char16_t* pszOld, const char16_t* pszNew);

    // Without an argument these remove ASCII white space (tab, LF, FF, CR, space, as HTML defines it);
    // otherwise the given character or any character of pszTargets.
    CString& Trim();
    CString& Trim(char16_t chTarget);
    CString& Trim(const char16_t* pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char16_t chTarget);
    CString& TrimLeft(const char16_t* pszTargets);
    CString& TrimRight();
    CString& TrimRight(char16_t chTarget);
    CString& TrimRight(const char16_t* pszTargets);

    CString& MakeUpper();
    CString& MakeLower();

    static CString FromUtf8(std::string_view utf8);
    std::string ToUtf8() const;
    std::u16string ToStdString() const { return m_str; }

    // Loads string nID from the resource chain (see CDynLinkLibrary.h). FALSE, leaving the string empty,
    // when no linked module has it.
    BOOL LoadString(UINT nID);

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
    friend CString operator+(const CString& a, const char16_t* b) { return a + CString(b); }
    friend CString operator+(const char16_t* a, const CString& b) { return CString(a) + b; }
    friend CString operator+(const CString& a, char16_t b) { return CString(a.m_str + b); }
    friend CString operator+(char16_t a, const CString& b) { return CString(a + b.m_str); }

    friend bool operator==(const CString& a, const CString& b) noexcept { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const char16_t* b) noexcept { return a.m_str == View(b); }
    friend std::strong_ordering operator<=>(const CString& a, const CString& b) noexcept {
        return std::u16string_view(a.m_str) <=> std::u16string_view(b.m_str);
    }
    friend std::strong_ordering operator<=>(const CString& a, const char16_t* b) noexcept {
        return std::u16string_view(a.m_str) <=> View(b);
    }

private:
    static std::u16string_view View(const char16_t* psz) noexcept {
        return psz == nullptr ? std::u16string_view() : std::u16string_view(psz);
    }

    template <typename T>
    static afx::FormatArg MakeFormatArg(const T& value) {
        using Arg = std::decay_t<T>;
        if constexpr (std::is_same_v<Arg, CString>)
            return afx::FormatArg::String(std::u16string_view(value.m_str));
        else if constexpr (std::is_enum_v<Arg>)
            return afx::FormatArg::Integer(static_cast<std::underlying_type_t<Arg>>(value));
        else if constexpr (std::is_integral_v<Arg>)
            return afx::FormatArg::Integer(value);
        else if constexpr (std::is_same_v<Arg, const char16_t*> || std::is_same_v<Arg, char16_t*>)
            return afx::FormatArg::String(static_cast<const char16_t*>(value));
        else if constexpr (std::is_same_v<Arg, std::u16string> || std::is_same_v<Arg, std::u16string_view>)
            return afx::FormatArg::String(std::u16string_view(value));
        else
            static_assert(!sizeof(T), "CString::Format takes integers and UTF-16 strings only");
    }

    std::u16string m_str;
};
