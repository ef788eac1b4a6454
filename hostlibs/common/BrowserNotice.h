#pragma once
#include <functional>
#include <string>

namespace tarn::browser {

// One line for a person about a browser that could not give its page: the dialog stays silent, so the host
// program shows the line where it has a place for one (standard error, a status bar).
using NoticeSink = std::function<void(const std::string& line)>;

// Where notices go from now on; an empty sink drops them (the default).
void setNoticeSink(NoticeSink sink);

// Hands `line` (UTF-8, no line break) to the sink; called on the dialog's thread.
void notice(const std::string& line);

}  // namespace tarn::browser
