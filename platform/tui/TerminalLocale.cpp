#include "platform/tui/TerminalLocale.h"

#include <langinfo.h>

#include <clocale>

#include "platform/tui/Terminal.h"

namespace tui {

namespace {

std::string CharacterSet() { return nl_langinfo(CODESET); }

}  // namespace

std::optional<std::string> UseUtf8Locale() {
    std::setlocale(LC_CTYPE, "");
    const std::string characterSet = CharacterSet();
    if (characterSet == "UTF-8")
        return std::nullopt;
    if (std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr && CharacterSet() == "UTF-8")
        return "the locale's character set is " + characterSet + ", not UTF-8: the dialog is shown in UTF-8 (C.UTF-8)";
    std::setlocale(LC_CTYPE, "");
    throw TerminalError("the dialog needs a UTF-8 locale and the locale's character set is " + characterSet +
                        ": set LC_ALL or LANG to one (see locale -a), or use --check for a report or --automate "
                        "for a script");
}

}  // namespace tui
