#pragma once
#include <sys/stat.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// A failure to read or write a page, with a message for the user.
class PageFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The steps a page's reading and saving are made of. None of them ever blocks on a special file (a FIFO,
// a device, a socket): such a file is refused before it is opened, and opened without waiting when it
// takes a regular file's place in between.
namespace filesteps {

// Reads the whole regular file at `path` (a symbolic link to one included); anything else throws.
std::string readRegular(const std::string& path);

// The file at `path` when it is a regular file (following links); none when it is missing or another kind.
std::optional<struct stat> statRegular(const std::string& path);

// The folder part of a path ("." when none) and its last part.
std::string folderOf(const std::string& path);
std::string nameOf(const std::string& path);

// Whether the user may write the file, as an editor decides it: by the permission bits for the user's
// class; root, whom they do not bind, by whether any write bit is set, so a read-only page stays so.
bool userMayWrite(const std::string& path, const struct stat& st);
// Whether a new file put in the place of this one keeps its owner and its other names (hard links).
bool renameKeepsIdentity(const struct stat& st);

// Overwrites the regular file `path` (the same file as `expected`) with `bytes` and flushes it: the way
// to keep every hard link of a page, and a page's owner, where a rename would lose them. Throws on failure.
void overwrite(const std::string& path, const struct stat& expected, std::string_view bytes);

// Writes all of `bytes` to `fd` (the file at `path`, for the message).
void writeAll(int fd, std::string_view bytes, const std::string& path);

void syncFolder(const std::string& folder);

// "cannot WHAT PATH: the system's reason", from errno.
std::string describe(const std::string& what, const std::string& path);

}  // namespace filesteps
