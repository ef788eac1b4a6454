#pragma once
#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>

// A file written whole and flushed before it takes a page's place (by a rename, or a link under a free
// name), or that keeps a page's previous text while the page is overwritten. It is named after the page,
// ".NAME.tarnlink-XXXXXX" (".NAME.tarnlink-old-XXXXXX" for previous text), and locked for as long as this
// object lives, so that a later save can tell a file whose writer was killed from one being written.
// Failures throw PageFileError, and leave no file behind.
class TemporaryFile {
public:
    enum class Kind { NewText, OldText };

    TemporaryFile(const std::string& folder, const std::string& name, std::string_view bytes, mode_t mode,
                  std::optional<std::pair<uid_t, gid_t>> owner = std::nullopt, Kind kind = Kind::NewText);
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    // Removes the file unless it took a page's place.
    ~TemporaryFile();

    const std::string& path() const { return path_; }

    // Puts the file in the place of `target`, atomically, and flushes the folder.
    void renameTo(const std::string& target);
    // Gives the file a free name "STEM.corrected.EXT" (then "-2", "-3"...) in `folder`, never replacing a
    // file nor following a link there; returns that name.
    std::string linkBeside(const std::string& folder, const std::string& name);

    // Leaves the file where it is, for good; returns its name.
    std::string keep() {
        placed_ = true;
        return path_;
    }

    // Removes the files of new text for the page `name` in `folder` that nobody is writing any more: a
    // save killed half-way leaves one. Files of previous text are left, since they may be the only whole
    // copy of a page.
    static void removeAbandoned(const std::string& folder, const std::string& name);

private:
    std::string path_;
    int fd_ = -1;
    bool placed_ = false;
};
