#pragma once

#include <optional>
#include <string>

namespace tui {

// ncursesw writes and measures characters by the locale's character set: outside UTF-8 every character
// that is not ASCII would vanish from the screen (captions, box borders, what the user types) while the
// dialog still holds it. Takes the character type from the environment and, when its character set is not
// UTF-8, C.UTF-8 instead, which every Debian has; the line to tell the user then. Throws TerminalError
// when no UTF-8 locale can be had. Call before the Terminal starts.
std::optional<std::string> UseUtf8Locale();

}  // namespace tui
