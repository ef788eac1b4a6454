#pragma once
#include <stdexcept>
#include <string>
#include <sys/types.h>

// A failure to read or write a page, with a message for the user.
class PageFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A page as the host program reads it from disk and writes it back.
class PageFile {
public:
    enum class Outcome { Saved, SavedBeside };
    struct SaveResult {
        Outcome outcome;
        std::string path;  // where the page was written
    };

    // Reads the page; a missing, unreadable or non-regular file throws PageFileError.
    static PageFile open(const std::string& path);

    const std::string& path() const { return path_; }
    const std::string& bytes() const { return bytes_; }

    // Writes `corrected` in place of the page, atomically: a temporary file in the same folder,
    // flushed, renamed over the page (through a symbolic link, to its target), the folder flushed;
    // the page's permissions are kept. If the page changed on disk since it was read, it is left
    // as it is and the corrected page is written beside it under a new name ("NAME.corrected.EXT").
    // A failure leaves the page as it was and throws PageFileError.
    SaveResult save(const std::string& corrected) const;

private:
    PageFile(std::string path, std::string bytes) : path_(std::move(path)), bytes_(std::move(bytes)) {}

    std::string path_;
    std::string bytes_;
};
