#include "platform/afx/FormatEngine.h"

#include "platform/afx/CException.h"

#include <climits>
#include <string_view>

namespace afx {
namespace {

struct Conversion {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool zero = false;
    bool alternate = false;
    int width = 0;
    int precision = -1;  // -1: none given
    char16_t type = 0;
};

std::uint64_t UnsignedValue(const FormatArg& arg) {
    return arg.size >= 8 ? arg.bits : arg.bits & ((std::uint64_t{1} << (arg.size * 8)) - 1);
}

// The value read as a signed number of the argument's own width, as printf reads %d.
std::int64_t SignedValue(const FormatArg& arg) {
    const std::uint64_t value = UnsignedValue(arg);
    if (arg.size >= 8)
        return static_cast<std::int64_t>(value);
    const std::uint64_t signBit = std::uint64_t{1} << (arg.size * 8 - 1);
    return static_cast<std::int64_t>(value ^ signBit) - static_cast<std::int64_t>(signBit);
}

class ArgumentList {
public:
    explicit ArgumentList(std::span<const FormatArg> args) : m_args(args) {}

    const FormatArg& Next(FormatArg::Kind kind) {
        if (m_next >= m_args.size() || m_args[m_next].kind != kind)
            AfxThrowInvalidArgException();
        return m_args[m_next++];
    }

    // A * width or precision.
    int NextInt() {
        const std::int64_t value = SignedValue(Next(FormatArg::Kind::Integer));
        if (value < INT_MIN + 1 || value > INT_MAX)
            AfxThrowInvalidArgException();
        return static_cast<int>(value);
    }

private:
    std::span<const FormatArg> m_args;
    std::size_t m_next = 0;
};

class Parser {
public:
    Parser(const char16_t* p, ArgumentList& args) : m_p(p), m_args(args) {}

    const char16_t* Position() const { return m_p; }

    // Reads one conversion; m_p is just past its '%'.
    Conversion Read() {
        Conversion conv;
        ReadFlags(conv);
        if (*m_p == u'*') {
            ++m_p;
            conv.width = m_args.NextInt();
            if (conv.width < 0) {
                conv.left = true;
                conv.width = -conv.width;
            }
        } else {
            conv.width = ReadNumber();
        }
        if (*m_p == u'.') {
            ++m_p;
            if (*m_p == u'*') {
                ++m_p;
                const int precision = m_args.NextInt();
                conv.precision = precision < 0 ? -1 : precision;
            } else {
                conv.precision = ReadNumber();
            }
        }
        SkipLengthModifier();
        if (*m_p == u'\0')
            AfxThrowInvalidArgException();
        conv.type = *m_p++;
        return conv;
    }

private:
    void ReadFlags(Conversion& conv) {
        for (;; ++m_p) {
            switch (*m_p) {
            case u'-': conv.left = true; break;
            case u'+': conv.plus = true; break;
            case u' ': conv.space = true; break;
            case u'0': conv.zero = true; break;
            case u'#': conv.alternate = true; break;
            default: return;
            }
        }
    }

    int ReadNumber() {
        long long value = 0;
        for (; *m_p >= u'0' && *m_p <= u'9'; ++m_p) {
            value = value * 10 + (*m_p - u'0');
            if (value > INT_MAX)
                AfxThrowInvalidArgException();
        }
        return static_cast<int>(value);
    }

    void SkipLengthModifier() {
        if (*m_p == u'I') {
            ++m_p;
            if ((m_p[0] == u'6' && m_p[1] == u'4') || (m_p[0] == u'3' && m_p[1] == u'2'))
                m_p += 2;
            return;
        }
        while (std::u16string_view(u"hlLqjztw").find(*m_p) != std::u16string_view::npos)
            ++m_p;
    }

    const char16_t* m_p;
    ArgumentList& m_args;
};

void AppendPadding(std::u16string& out, int count, char16_t fill) {
    if (count > 0)
        out.append(static_cast<std::size_t>(count), fill);
}

// Places body in the field: right-aligned with spaces unless the '-' flag asks for left.
void AppendField(std::u16string& out, const Conversion& conv, std::u16string_view body) {
    const int padding = conv.width - static_cast<int>(body.size());
    if (!conv.left)
        AppendPadding(out, padding, u' ');
    out.append(body);
    if (conv.left)
        AppendPadding(out, padding, u' ');
}

void AppendInteger(std::u16string& out, const Conversion& conv, bool negative, std::uint64_t magnitude,
                   std::u16string_view prefixForUnsigned) {
    const bool hex = conv.type == u'x' || conv.type == u'X';
    const char16_t* digitSet = conv.type == u'X' ? u"0123456789ABCDEF" : u"0123456789abcdef";
    const unsigned base = hex ? 16 : 10;

    std::u16string digits;
    for (std::uint64_t rest = magnitude; rest != 0; rest /= base)
        digits.insert(digits.begin(), digitSet[rest % base]);
    // Precision is the least number of digits; an explicit zero precision prints zero as nothing.
    const int minDigits = conv.precision < 0 ? 1 : conv.precision;
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), u'0');

    std::u16string_view prefix;
    if (negative)
        prefix = u"-";
    else if (conv.type == u'd' || conv.type == u'i')
        prefix = conv.plus ? u"+" : conv.space ? u" " : u"";
    else if (magnitude != 0)
        prefix = prefixForUnsigned;

    const int padding = conv.width - static_cast<int>(prefix.size() + digits.size());
    if (conv.zero && !conv.left && conv.precision < 0) {
        out.append(prefix);
        AppendPadding(out, padding, u'0');
        out.append(digits);
        return;
    }
    if (!conv.left)
        AppendPadding(out, padding, u' ');
    out.append(prefix);
    out.append(digits);
    if (conv.left)
        AppendPadding(out, padding, u' ');
}

void AppendCodePoint(std::u16string& out, const Conversion& conv, std::uint64_t cp) {
    char16_t units[2] = {u'\xFFFD', 0};
    std::size_t count = 1;
    if (cp <= 0xFFFF) {
        units[0] = static_cast<char16_t>(cp);
    } else if (cp <= 0x10FFFF) {
        units[0] = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
        units[1] = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        count = 2;
    }
    AppendField(out, conv, std::u16string_view(units, count));
}

void AppendString(std::u16string& out, const Conversion& conv, const FormatArg& arg) {
    std::u16string_view text = arg.nullString ? u"(null)" : arg.text;
    if (conv.precision >= 0 && static_cast<std::size_t>(conv.precision) < text.size()) {
        std::size_t cut = static_cast<std::size_t>(conv.precision);
        if (cut > 0 && text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF && text[cut] >= 0xDC00 &&
            text[cut] <= 0xDFFF)
            --cut;
        text = text.substr(0, cut);
    }
    AppendField(out, conv, text);
}

void AppendConversion(std::u16string& out, const Conversion& conv, ArgumentList& args) {
    switch (conv.type) {
    case u'%':
        out.push_back(u'%');
        return;
    case u'd':
    case u'i': {
        const std::int64_t value = SignedValue(args.Next(FormatArg::Kind::Integer));
        // Negating in unsigned arithmetic keeps the most negative value representable.
        const std::uint64_t magnitude =
            value < 0 ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
        AppendInteger(out, conv, value < 0, magnitude, u"");
        return;
    }
    case u'u':
        AppendInteger(out, conv, false, UnsignedValue(args.Next(FormatArg::Kind::Integer)), u"");
        return;
    case u'x':
    case u'X': {
        const std::u16string_view prefix = !conv.alternate ? u"" : conv.type == u'x' ? u"0x" : u"0X";
        AppendInteger(out, conv, false, UnsignedValue(args.Next(FormatArg::Kind::Integer)), prefix);
        return;
    }
    case u'c':
        AppendCodePoint(out, conv, UnsignedValue(args.Next(FormatArg::Kind::Integer)));
        return;
    case u's':
        AppendString(out, conv, args.Next(FormatArg::Kind::String));
        return;
    default:
        AfxThrowInvalidArgException();
    }
}

}  // namespace

void AppendFormatted(std::u16string& out, const char16_t* pszFormat, std::span<const FormatArg> args) {
    if (pszFormat == nullptr)
        AfxThrowInvalidArgException();
    ArgumentList arguments(args);
    const char16_t* p = pszFormat;
    while (*p != u'\0') {
        const char16_t* percent = p;
        while (*percent != u'\0' && *percent != u'%')
            ++percent;
        out.append(p, percent);
        if (*percent == u'\0')
            return;
        Parser parser(percent + 1, arguments);
        const Conversion conv = parser.Read();
        AppendConversion(out, conv, arguments);
        p = parser.Position();
    }
}

}  // namespace afx
