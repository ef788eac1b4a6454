#pragma once
#include <string>

#include "app/RedirectKey.h"
#include "platform/tui/Terminal.h"
#include "platform/tui/TerminalFrontEnd.h"

class HostWindow;
class StopSignals;
namespace tarn {
class CheckJournal;
}

// `tarnlink FILE`: the dialog in the terminal, over the host's window (the page's file name, and the
// status bar with the source cursor, led by the selected link's permanent redirect, which F7 enters as its
// new URL). The terminal is the program's from construction until restore() or destruction, whichever
// comes first; a stop signal closes the dialog as Cancel.
class TerminalRun {
public:
    // Throws tui::TerminalError when standard input or output is not a terminal, or it cannot be used.
    // `journal` is the dialog's run's: where the checker's answers are found.
    TerminalRun(const HostWindow& window, const std::string& pagePath, const StopSignals& signals,
                const tarn::CheckJournal& journal);

    win::ModalFrontEnd& frontEnd() { return frontEnd_; }
    // Gives the terminal back, so that the program's messages can follow.
    void restore() { terminal_.Restore(); }

private:
    RedirectKey redirect_;
    tui::Terminal terminal_;
    tui::TerminalFrontEnd frontEnd_;
};
