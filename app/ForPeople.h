#pragma once
#include <string>
#include <string_view>

// Text for people on standard error (file names, ids, options, messages that quote them) shown as the
// dialog shows a page's text: a control character, an escape sequence or a bidirectional override in
// it appears as a visible escape (^[, <U+202E>) and can do nothing to the terminal.
std::string forPeople(std::string_view utf8);

// One message for the user on standard error, "tarnlink: MESSAGE", shown as above.
void fail(const std::string& message);
