#include "platform/afx/CString.h"

#include "platform/afx/FormatEngine.h"
#include "platform/afx/StringBuffers.h"
#include "platform/win/Utf8.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <stdexcept>
#include <utility>

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

// The empty string's buffer: a header that is never counted and the terminator right behind it.
struct NilBuffer {
    afx::CStringData header{-1, 0, 0};
    char16_t terminator = u'\0';
};
static_assert(offsetof(NilBuffer, terminator) == sizeof(afx::CStringData));
constinit NilBuffer g_nil;

char16_t* NilChars() noexcept { return g_nil.header.data(); }

int CheckedLength(std::size_t length) {
    if (!std::in_range<int>(length))
        throw std::length_error("CString: text too long");
    return static_cast<int>(length);
}

std::size_t BufferBytes(int nAlloc) {
    return sizeof(afx::CStringData) + (static_cast<std::size_t>(nAlloc) + 1) * sizeof(char16_t);
}

// A new buffer, counted once, room for nAlloc units and the terminator; its text is empty.
afx::CStringData* Allocate(int nAlloc) {
    auto* data = new (afx::AllocateStringBuffer(BufferBytes(nAlloc))) afx::CStringData{1, 0, nAlloc};
    data->data()[0] = u'\0';
    data->data()[nAlloc] = u'\0';
    return data;
}

char16_t* NewText(std::u16string_view text) {
    afx::CStringData* data = Allocate(CheckedLength(text.size()));
    std::copy(text.begin(), text.end(), data->data());
    data->nDataLength = data->nAllocLength;
    data->data()[data->nDataLength] = u'\0';
    return data->data();
}

void AddRef(afx::CStringData* data) noexcept {
    if (data->nRefs.load(std::memory_order_relaxed) >= 0)
        data->nRefs.fetch_add(1, std::memory_order_relaxed);
}

void Release(afx::CStringData* data) noexcept {
    if (data->nRefs.load(std::memory_order_relaxed) < 0)
        return;
    if (data->nRefs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        const std::size_t bytes = BufferBytes(data->nAllocLength);
        data->~CStringData();
        afx::FreeStringBuffer(data, bytes);
    }
}

// Only the one holder may write: whoever else counts the buffer could be reading it on another thread.
bool Owned(afx::CStringData* data) noexcept { return data->nRefs.load(std::memory_order_acquire) == 1; }

}  // namespace

CString::CString() noexcept : m_pszData(NilChars()) {}

CString::CString(const CString& str) noexcept : m_pszData(str.m_pszData) { AddRef(GetData()); }

CString::CString(CString&& str) noexcept : m_pszData(std::exchange(str.m_pszData, NilChars())) {}

CString::CString(const char16_t* psz) : m_pszData(NilChars()) { Assign(View(psz)); }

CString::CString(const char16_t* pch, int nLength) : m_pszData(NilChars()) {
    if (nLength < 0 || (pch == nullptr && nLength > 0))
        AfxThrowInvalidArgException();
    if (nLength > 0)
        Assign(std::u16string_view(pch, static_cast<std::size_t>(nLength)));
}

CString::CString(const std::u16string& str) : m_pszData(NilChars()) { Assign(str); }

CString::CString(std::u16string_view str) : m_pszData(NilChars()) { Assign(str); }

CString::CString(char16_t ch, int nRepeat) : m_pszData(NilChars()) {
    if (nRepeat <= 0)
        return;
    std::fill_n(PrepareWrite(nRepeat), nRepeat, ch);
    SetLength(nRepeat);
}

CString::~CString() { Release(GetData()); }

CString& CString::operator=(const CString& str) noexcept {
    // Saving a text that is already there touches no count (and no other cache line).
    if (m_pszData == str.m_pszData)
        return *this;
    afx::CStringData* old = GetData();
    m_pszData = str.m_pszData;
    AddRef(GetData());
    Release(old);
    return *this;
}

CString& CString::operator=(CString&& str) noexcept {
    if (this != &str) {
        Release(GetData());
        m_pszData = std::exchange(str.m_pszData, NilChars());
    }
    return *this;
}

CString& CString::operator=(const char16_t* psz) {
    Assign(View(psz));
    return *this;
}

CString& CString::operator=(const std::u16string& str) {
    Assign(str);
    return *this;
}

CString& CString::operator=(char16_t ch) {
    Assign(std::u16string_view(&ch, 1));
    return *this;
}

void CString::Empty() noexcept {
    Release(GetData());
    m_pszData = NilChars();
}

void CString::Assign(std::u16string_view text) {
    afx::CStringData* data = GetData();
    const int length = CheckedLength(text.size());
    if (Owned(data) && length <= data->nAllocLength) {
        // The text may be a part of this very buffer.
        std::copy(text.begin(), text.end(), m_pszData);
        SetLength(length);
        return;
    }
    char16_t* fresh = length == 0 ? NilChars() : NewText(text);
    Release(data);
    m_pszData = fresh;
}

void CString::Append(std::u16string_view text) {
    if (text.empty())
        return;
    const int length = GetLength();
    const int total = CheckedLength(static_cast<std::size_t>(length) + text.size());
    afx::CStringData* data = GetData();
    if (!Owned(data) || total > data->nAllocLength) {
        // Grown by half again, so that appending one piece after another takes linear time. The text may lie
        // in the old buffer, which stays until it has been copied.
        const int room = std::max(total, CheckedLength(static_cast<std::size_t>(length) + length / 2));
        afx::CStringData* grown = Allocate(room);
        std::copy_n(m_pszData, length, grown->data());
        std::copy(text.begin(), text.end(), grown->data() + length);
        m_pszData = grown->data();
        SetLength(total);
        Release(data);
        return;
    }
    std::copy(text.begin(), text.end(), m_pszData + length);
    SetLength(total);
}

char16_t* CString::PrepareWrite(int nLength) {
    afx::CStringData* data = GetData();
    if (Owned(data) && nLength <= data->nAllocLength)
        return m_pszData;
    const int length = GetLength();
    afx::CStringData* fresh = Allocate(std::max(nLength, length));
    std::copy_n(m_pszData, length + 1, fresh->data());
    fresh->nDataLength = length;
    m_pszData = fresh->data();
    Release(data);
    return m_pszData;
}

void CString::SetLength(int nLength) noexcept {
    GetData()->nDataLength = nLength;
    m_pszData[nLength] = u'\0';
}

void CString::Keep(std::size_t first, std::size_t count) {
    if (first == 0 && count == static_cast<std::size_t>(GetLength()))
        return;
    if (Owned(GetData())) {
        std::copy_n(m_pszData + first, count, m_pszData);
        SetLength(static_cast<int>(count));
        return;
    }
    Assign(Text().substr(first, count));
}

CString CString::Concat(std::u16string_view a, std::u16string_view b) {
    CString result;
    const int total = CheckedLength(a.size() + b.size());
    if (total == 0)
        return result;
    char16_t* chars = result.PrepareWrite(total);
    std::copy(b.begin(), b.end(), std::copy(a.begin(), a.end(), chars));
    result.SetLength(total);
    return result;
}

LPWSTR CString::GetBuffer() { return GetBuffer(0); }

LPWSTR CString::GetBuffer(int nMinBufferLength) {
    if (nMinBufferLength < 0)
        AfxThrowInvalidArgException();
    // Even an empty string gets a buffer of its own: the caller writes at least the terminator.
    if (GetData()->nRefs.load(std::memory_order_relaxed) < 0) {
        m_pszData = Allocate(nMinBufferLength)->data();
        return m_pszData;
    }
    return PrepareWrite(nMinBufferLength);
}

LPWSTR CString::GetBufferSetLength(int nNewLength) {
    LPWSTR buffer = GetBuffer(nNewLength);
    SetLength(nNewLength);
    return buffer;
}

void CString::ReleaseBuffer(int nNewLength) {
    afx::CStringData* data = GetData();
    if (nNewLength > data->nAllocLength || (nNewLength < 0 && nNewLength != -1))
        AfxThrowInvalidArgException();
    if (nNewLength == -1) {
        const std::u16string_view buffer(m_pszData, static_cast<std::size_t>(data->nAllocLength));
        nNewLength = static_cast<int>(std::min(buffer.find(u'\0'), buffer.size()));
    }
    // The empty string's buffer is never written, not even its terminator.
    if (data->nRefs.load(std::memory_order_relaxed) >= 0)
        SetLength(nNewLength);
}

char16_t CString::GetAt(int iChar) const {
    if (iChar < 0 || iChar > GetLength())
        AfxThrowInvalidArgException();
    return m_pszData[iChar];
}

void CString::SetAt(int iChar, char16_t ch) {
    if (iChar < 0 || iChar >= GetLength())
        AfxThrowInvalidArgException();
    PrepareWrite(GetLength())[iChar] = ch;
}

int CString::Compare(const char16_t* psz) const { return Sign(Text().compare(View(psz))); }

int CString::Compare(const CString& str) const { return Sign(Text().compare(str.Text())); }

int CString::CompareNoCase(const char16_t* psz) const { return CompareFolded(Text(), View(psz)); }

int CString::CompareNoCase(const CString& str) const { return CompareFolded(Text(), str.Text()); }

CString& CString::operator+=(const CString& str) {
    if (IsEmpty())
        return *this = str;
    Append(str.Text());
    return *this;
}

CString& CString::operator+=(const char16_t* psz) {
    Append(View(psz));
    return *this;
}

CString& CString::operator+=(char16_t ch) {
    Append(std::u16string_view(&ch, 1));
    return *this;
}

// Both build the text aside first: an argument may be a view of this very string.
void CString::FormatList(const char16_t* pszFormat, std::span<const afx::FormatArg> args) {
    std::u16string text;
    afx::AppendFormatted(text, pszFormat, args);
    Assign(text);
}

void CString::AppendFormatList(const char16_t* pszFormat, std::span<const afx::FormatArg> args) {
    std::u16string text;
    afx::AppendFormatted(text, pszFormat, args);
    Append(text);
}

CString CString::FromUtf8(std::string_view utf8) { return CString(win::DecodeUtf8(utf8)); }

std::string CString::ToUtf8() const { return win::EncodeUtf8(Text()); }
