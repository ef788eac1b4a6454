#pragma once

#include <string_view>

#include "platform/win/WinExport.h"

// How many terminal cells text takes, the same for the painter, the controls' layout and hit testing.
// The answer comes from our own table of East Asian wide and fullwidth characters and of zero-width
// characters, never from the locale, so every terminal and every test sees the same widths.

// 0 for combining marks and zero-width characters (joiners, format controls, variation selectors, Hangul
// medial and final jamo), 2 for East Asian wide and fullwidth characters, 1 for everything else: control
// characters too (the painter shows them escaped and measures the escape itself).
WINAPI_EXPORT int CharCells(char32_t c);

// The sum of CharCells over the code points of s; a surrogate that is not half of a pair counts 1.
WINAPI_EXPORT int TextCells(std::u16string_view s);
