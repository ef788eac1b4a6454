#pragma once
#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>

#include "app/FileSteps.h"

// A page as the host program reads it from disk and writes it back. The program's users trust it with
// their files, so a save never replaces what it must not, never loses a correction it can write
// anywhere, and never blocks on a special file.
class PageFile {
public:
    enum class Outcome {
        Saved,          // the page holds the corrected text
        ChangedOnDisk,  // the page changed meanwhile and was left as it is; the corrected page is beside it
        ReadOnly,       // the user may not write the page; the corrected page is beside it
        Rescued,        // the page could not be written; the corrected page went where it could
    };
    struct SaveResult {
        Outcome outcome;
        std::string path;    // where the corrected page was written
        std::string reason;  // Rescued: why the page itself could not be written
    };
    // Asked between the steps of a save: true stops it before the page is touched.
    using Interrupted = std::function<bool()>;

    // Reads the page; a missing, unreadable or non-regular file throws PageFileError, and a special file
    // (a FIFO, a device) is refused before it is opened.
    static PageFile open(const std::string& path);

    const std::string& path() const { return path_; }
    // The page as read.
    std::string_view bytes() const { return handedOver_ ? keptBytes_ : std::string_view(bytes_); }
    // Moves the bytes as read to `keeper` (the page's document), which keeps them unchanged for the rest
    // of this object's life and returns where: a large page is then held once, not twice.
    void handOverBytes(const std::function<std::string_view(std::string)>& keeper);

    // Writes `corrected` in place of the page (through a symbolic link, to its target): a new file
    // renamed over it, flushed, with the page's permissions and owner; a page with other names (hard
    // links), or another owner the user may not give a new file, is overwritten instead, its old text
    // kept in a flushed temporary file until the new one is written. Temporary files that a killed save
    // left beside the page are removed first.
    //
    // Where the page cannot take the corrections, the corrected page goes beside the page as the user
    // named it ("NAME.corrected.EXT", "-2", "-3"... when taken), with the permissions the page had when
    // it was read, else into the user's state folder ($XDG_STATE_HOME/tarn/, by default
    // ~/.local/state/tarn/): when the page changed on disk meanwhile (another program's change wins),
    // when the user may not write it, and when writing it fails. Throws PageFileError when nothing at
    // all could be written, or when `interrupted` held before the page was touched; the page is then
    // as it was, and no temporary file is left.
    SaveResult save(const std::string& corrected, const Interrupted& interrupted = {}) const;

private:
    PageFile(std::string path, std::string bytes, mode_t mode)
        : path_(std::move(path)), bytes_(std::move(bytes)), mode_(mode) {}

    SaveResult replace(const std::string& target, const struct stat& st, const std::string& corrected,
                       const Interrupted& interrupted) const;
    // Writes the corrected page beside the page, else into the state folder (then as Rescued).
    SaveResult writeElsewhere(Outcome outcome, const std::string& corrected, const std::string& reason) const;

    std::string path_;   // as the user named it
    std::string bytes_;  // as read, until handed over
    bool handedOver_ = false;
    std::string_view keptBytes_;  // where the keeper holds them
    mode_t mode_;        // the page's permissions when it was read
};
