#pragma once

#include "platform/afx/FormatArg.h"

#include <span>
#include <string>

namespace afx {

// Appends pszFormat with its conversions filled from args, printf style: %d %i %u %x %X %c %s %%, the flags
// - + space 0 #, a width and a precision (either may be *), and the length modifiers h hh l ll L q j z t w
// I I32 I64, which are accepted and not needed (see FormatArg). %s takes a string argument and prints a null
// one as "(null)"; its precision counts UTF-16 code units but never splits a surrogate pair. %c takes a
// code point. A malformed conversion, a missing argument or one of the wrong kind throws
// CInvalidArgException: such a format string is a programming error that must not pass silently.
void AppendFormatted(std::u16string& out, const char16_t* pszFormat, std::span<const FormatArg> args);

}  // namespace afx
