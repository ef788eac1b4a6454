#pragma once

#include <concepts>
#include <cstdint>
#include <string_view>

namespace afx {

// One argument of CString::Format. Arguments travel with their own type, so a format string can never
// read past them or misread their size: %x of an int prints the int's 32 bits and %d of a long long all
// 64, whatever length modifier the format string carries.
struct FormatArg {
    enum class Kind : unsigned char { Integer, String };

    Kind kind = Kind::Integer;
    unsigned char size = 0;        // bytes of the integer's own type
    std::uint64_t bits = 0;        // the integer, sign- or zero-extended from its type
    std::u16string_view text;      // the string's code units
    bool nullString = false;       // the string was a null pointer

    template <std::integral T>
    static constexpr FormatArg Integer(T value) {
        FormatArg arg;
        arg.size = static_cast<unsigned char>(sizeof(T));
        arg.bits = static_cast<std::uint64_t>(value);
        return arg;
    }

    static constexpr FormatArg String(std::u16string_view text) {
        FormatArg arg;
        arg.kind = Kind::String;
        arg.text = text;
        return arg;
    }

    static constexpr FormatArg String(const char16_t* psz) {
        if (psz == nullptr) {
            FormatArg arg = String(std::u16string_view());
            arg.nullString = true;
            return arg;
        }
        return String(std::u16string_view(psz));
    }
};

}  // namespace afx
