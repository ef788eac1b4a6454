#pragma once
#include <optional>
#include <string>

#include "app/SuspectRedirect.h"
#include "platform/win/WinTypes.h"

namespace tarn {
class CheckJournal;
}

// The link check dialog's selected row, when its link answered a permanent redirect (301 or 308): the host
// shows where it leads on its status bar, marked when the end is suspect, and F7 enters it in the dialog's
// new-URL box as the user would type it. The host reads the row through the list's messages, as the painter
// does, and finds its answer in the run's journal.
class RedirectKey {
public:
    explicit RedirectKey(const tarn::CheckJournal& journal) : journal_(journal) {}

    // "301 → URL [suspect: site root] · F7: new URL"; empty when no such row is selected.
    std::u16string status(HWND dialog) const;
    // F7: the correction "change the link to a new URL" chosen and the target typed over the box's text,
    // as the user would; nothing when no such row is selected or the box cannot take text now.
    void enter(HWND dialog) const;

private:
    struct Redirect {
        int status = 0;
        std::string target;
        std::optional<SuspectKind> suspect;
    };

    // None while a check runs (the selection then follows the check), with no row selected, or for a row
    // whose link answered otherwise or was corrected already.
    std::optional<Redirect> selected(HWND dialog) const;

    const tarn::CheckJournal& journal_;
};
