#include "app/batch/CheckerNotes.h"

#include "contracts/host/Url.h"
#include "platform/afx/CString.h"

std::optional<tarn::CheckNote> checkerNote(const std::string& url) {
    const tarn::CheckJournal& journal = tarn::CheckJournal::instance();
    if (std::optional<tarn::CheckNote> note = journal.find(url))
        return note;
    const Url parsed{CString::FromUtf8(url)};
    if (parsed.get_element(tarn::URL_PARAMS).IsEmpty())
        return std::nullopt;
    return journal.find(parsed.get_url_woparams().ToUtf8());
}
