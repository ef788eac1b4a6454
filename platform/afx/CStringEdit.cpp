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
    // The whole string shares its buffer.
    if (first == 0 && count >= static_cast<std::size_t>(GetLength()))
        return *this;
    return CString(Text().substr(first, count));
}

CString CString::Right(int nCount) const {
    const int count = std::clamp(nCount, 0, GetLength());
    return Mid(GetLength() - count, count);
}

int CString::Find(char16_t ch, int iStart) const {
    if (iStart < 0 || iStart >= GetLength())
        return -1;
    return ToPosition(Text().find(ch, static_cast<std::size_t>(iStart)));
}

int CString::Find(const char16_t* pszSub, int iStart) const {
    if (pszSub == nullptr || iStart < 0 || iStart > GetLength())
        return -1;
    return ToPosition(Text().find(pszSub, static_cast<std::size_t>(iStart)));
}

int CString::ReverseFind(char16_t ch) const { return ToPosition(Text().rfind(ch)); }

// The changes below un-share the buffer only when they change something.

int CString::Replace(char16_t chOld, char16_t chNew) {
    if (chOld == chNew)
        return 0;
    const auto count = static_cast<int>(std::count(Text().begin(), Text().end(), chOld));
    if (count > 0) {
        char16_t* chars = PrepareWrite(GetLength());
        std::replace(chars, chars + GetLength(), chOld, chNew);
    }
    return count;
}

int CString::Replace(const char16_t* pszOld, const char16_t* pszNew) {
    const std::u16string_view oldText = View(pszOld);
    const std::u16string_view newText = View(pszNew);
    const std::u16string_view text = Text();
    if (oldText.empty())
        return 0;
    std::u16string result;
    int count = 0;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(oldText, from)) != std::u16string_view::npos; from = at + oldText.size()) {
        result.append(text, from, at - from);
        result.append(newText);
        ++count;
    }
    if (count > 0) {
        result.append(text.substr(from));
        Assign(result);
    }
    return count;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::Trim(char16_t chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }

CString& CString::Trim(const char16_t* pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

CString& CString::TrimLeft() { return TrimLeft(kAsciiWhitespace.data()); }

CString& CString::TrimLeft(char16_t chTarget) {
    const std::size_t first = std::min(Text().find_first_not_of(chTarget), Text().size());
    Keep(first, Text().size() - first);
    return *this;
}

CString& CString::TrimLeft(const char16_t* pszTargets) {
    const std::size_t first = std::min(Text().find_first_not_of(View(pszTargets)), Text().size());
    Keep(first, Text().size() - first);
    return *this;
}

CString& CString::TrimRight() { return TrimRight(kAsciiWhitespace.data()); }

CString& CString::TrimRight(char16_t chTarget) {
    Keep(0, Text().find_last_not_of(chTarget) + 1);
    return *this;
}

CString& CString::TrimRight(const char16_t* pszTargets) {
    Keep(0, Text().find_last_not_of(View(pszTargets)) + 1);
    return *this;
}

CString& CString::MakeUpper() {
    const auto lower = [](char16_t ch) { return ch >= u'a' && ch <= u'z'; };
    if (std::any_of(Text().begin(), Text().end(), lower)) {
        char16_t* chars = PrepareWrite(GetLength());
        std::transform(chars, chars + GetLength(), chars,
                       [&](char16_t ch) { return lower(ch) ? static_cast<char16_t>(ch - 0x20) : ch; });
    }
    return *this;
}

CString& CString::MakeLower() {
    const auto upper = [](char16_t ch) { return ch >= u'A' && ch <= u'Z'; };
    if (std::any_of(Text().begin(), Text().end(), upper)) {
        char16_t* chars = PrepareWrite(GetLength());
        std::transform(chars, chars + GetLength(), chars,
                       [&](char16_t ch) { return upper(ch) ? static_cast<char16_t>(ch + 0x20) : ch; });
    }
    return *this;
}
