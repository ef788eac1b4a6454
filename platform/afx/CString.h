#pragma once

#include "platform/afx/AfxApi.h"
#include "platform/afx/CException.h"
#include "platform/afx/FormatArg.h"
#include "platform/win/WinTypes.h"

#include <array>
#include <atomic>
#include <compare>
#include <concepts>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace afx {

// The header in front of every CString's characters. A buffer is shared by every CString that copied it and
// is written only when unshared; the empty string's is one static buffer that is never counted nor freed.
struct CStringData {
    std::atomic<int> nRefs;  // CStrings holding the buffer; -1 for the empty string's
    int nDataLength;         // code units before the terminating U+0000
    int nAllocLength;        // code units the buffer holds, the terminator aside

    char16_t* data() noexcept { return reinterpret_cast<char16_t*>(this + 1); }
};

}  // namespace afx

// UTF-16 text with the framework's string interface: one pointer to the characters of a reference-counted
// buffer (afx::CStringData before them), so a copy costs a count and the texts a list shows share one buffer
// with the items that hold them. Copy on write: every change un-shares the buffer first. Counts are atomic,
// so two threads may copy the same string at once; a CString object itself is not to be written by one
// thread while another reads it.
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
    CString() noexcept;
    CString(const CString& str) noexcept;
    CString(CString&& str) noexcept;
    CString(const char16_t* psz);  // null makes an empty string
    CString(const char16_t* pch, int nLength);
    CString(const std::u16string& str);
    explicit CString(std::u16string_view str);
    explicit CString(char16_t ch, int nRepeat = 1);
    ~CString();

    CString& operator=(const CString& str) noexcept;
    CString& operator=(CString&& str) noexcept;
    CString& operator=(const char16_t* psz);
    CString& operator=(const std::u16string& str);
    CString& operator=(char16_t ch);

    int GetLength() const noexcept { return GetData()->nDataLength; }
    BOOL IsEmpty() const noexcept { return GetLength() == 0; }
    void Empty() noexcept;

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

    const char16_t* GetString() const noexcept { return m_pszData; }
    operator const char16_t*() const noexcept { return m_pszData; }

    // The characters to write in place, un-shared, with room for at least nMinBufferLength units and the
    // terminator; the text stays as it was. ReleaseBuffer ends the writing: nNewLength units are kept, or
    // with -1 those before the first U+0000. No other member may be called in between.
    LPWSTR GetBuffer();
    LPWSTR GetBuffer(int nMinBufferLength);
    LPWSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);

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
    std::u16string ToStdString() const { return std::u16string(Text()); }

    // Loads string nID from the resource chain (see CDynLinkLibrary.h). FALSE, leaving the string empty,
    // when no linked module has it.
    BOOL LoadString(UINT nID);

    friend CString operator+(const CString& a, const CString& b) { return Concat(a.Text(), b.Text()); }
    friend CString operator+(const CString& a, const char16_t* b) { return Concat(a.Text(), View(b)); }
    friend CString operator+(const char16_t* a, const CString& b) { return Concat(View(a), b.Text()); }
    friend CString operator+(const CString& a, char16_t b) { return Concat(a.Text(), std::u16string_view(&b, 1)); }
    friend CString operator+(char16_t a, const CString& b) { return Concat(std::u16string_view(&a, 1), b.Text()); }

    friend bool operator==(const CString& a, const CString& b) noexcept {
        return a.m_pszData == b.m_pszData || a.Text() == b.Text();
    }
    friend bool operator==(const CString& a, const char16_t* b) noexcept { return a.Text() == View(b); }
    friend std::strong_ordering operator<=>(const CString& a, const CString& b) noexcept {
        return a.Text() <=> b.Text();
    }
    friend std::strong_ordering operator<=>(const CString& a, const char16_t* b) noexcept {
        return a.Text() <=> View(b);
    }

private:
    static std::u16string_view View(const char16_t* psz) noexcept {
        return psz == nullptr ? std::u16string_view() : std::u16string_view(psz);
    }

    template <typename T>
    static afx::FormatArg MakeFormatArg(const T& value) {
        using Arg = std::decay_t<T>;
        if constexpr (std::is_same_v<Arg, CString>)
            return afx::FormatArg::String(value.Text());
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

    afx::CStringData* GetData() const noexcept { return reinterpret_cast<afx::CStringData*>(m_pszData) - 1; }
    // Every code unit, U+0000 included.
    std::u16string_view Text() const noexcept {
        return std::u16string_view(m_pszData, static_cast<std::size_t>(GetLength()));
    }
    static CString Concat(std::u16string_view a, std::u16string_view b);
    // The text becomes `text`, which may lie in this string's own buffer.
    void Assign(std::u16string_view text);
    void Append(std::u16string_view text);
    // Un-shares the buffer and makes room for nLength units, keeping the text; the characters to write.
    char16_t* PrepareWrite(int nLength);
    void SetLength(int nLength) noexcept;
    // Keeps the units [first, first + count) of the text.
    void Keep(std::size_t first, std::size_t count);

    char16_t* m_pszData;
};

static_assert(sizeof(CString) == sizeof(void*));
