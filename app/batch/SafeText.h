#pragma once
#include <string>
#include <string_view>

// Text from a page made safe for a terminal or a log: control characters (C0, DEL, C1) and the
// characters that reorder text (bidirectional overrides and isolates) become U+FFFD, and so do bytes
// that are not UTF-8. Nothing from a page can then move the cursor, recolour or retitle a terminal.
std::string safeText(std::string_view utf8);
