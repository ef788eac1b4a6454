#include "app/ForPeople.h"

#include <iostream>

#include "platform/win/Utf8.h"
#include "platform/paint/SafeText.h"

std::string forPeople(std::string_view utf8) {
    std::string shown;
    shown.reserve(utf8.size());
    for (const paint::Glyph& glyph : paint::SafeText(win::DecodeUtf8(utf8)))
        win::AppendUtf8(shown, glyph.c);
    return shown;
}

void fail(const std::string& message) { std::cerr << "tarnlink: " << forPeople(message) << '\n'; }
