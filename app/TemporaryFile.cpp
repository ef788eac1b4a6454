#include "app/TemporaryFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "app/FileSteps.h"

using filesteps::describe;
using filesteps::writeAll;

namespace {

const std::string kMark = ".tarnlink-";
constexpr std::size_t kRandomPart = 6;  // mkostemp's XXXXXX

}  // namespace

TemporaryFile::TemporaryFile(const std::string& folder, const std::string& name, std::string_view bytes,
                             mode_t mode, std::optional<std::pair<uid_t, gid_t>> owner, Kind kind)
    : path_(folder + "/." + name + kMark + (kind == Kind::OldText ? "old-" : "") + "XXXXXX") {
    fd_ = mkostemp(path_.data(), O_CLOEXEC);
    if (fd_ < 0)
        throw PageFileError(describe("cannot write in", folder));
    try {
        // Held until the file is placed or removed: the file's writer is alive.
        flock(fd_, LOCK_EX);
        writeAll(fd_, bytes, path_);
        if (owner) {
            // Kept where we may set it.
            [[maybe_unused]] int owned = fchown(fd_, owner->first, owner->second);
        }
        if (fchmod(fd_, mode & 07777) != 0 || fsync(fd_) != 0)
            throw PageFileError(describe("cannot write", path_));
    } catch (...) {
        ::unlink(path_.c_str());
        ::close(fd_);
        throw;
    }
}

TemporaryFile::~TemporaryFile() {
    if (!placed_)
        ::unlink(path_.c_str());
    ::close(fd_);
}

void TemporaryFile::renameTo(const std::string& target) {
    if (rename(path_.c_str(), target.c_str()) != 0)
        throw PageFileError(describe("cannot replace", target));
    placed_ = true;
    filesteps::syncFolder(filesteps::folderOf(target));
}

std::string TemporaryFile::linkBeside(const std::string& folder, const std::string& name) {
    auto dot = name.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot != 0;
    const std::string stem = hasExtension ? name.substr(0, dot) : name;
    const std::string extension = hasExtension ? name.substr(dot) : "";
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const std::string beside =
            folder + "/" + stem + ".corrected" + (attempt > 1 ? "-" + std::to_string(attempt) : "") + extension;
        // link() never replaces a file that exists, nor follows a link that stands where it writes.
        if (link(path_.c_str(), beside.c_str()) == 0) {
            filesteps::syncFolder(folder);
            return beside;
        }
        if (errno != EEXIST)
            break;
    }
    throw PageFileError(describe("cannot write the corrected page in", folder));
}

void TemporaryFile::removeAbandoned(const std::string& folder, const std::string& name) {
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr)
        return;
    const std::string prefix = "." + name + kMark;
    while (const dirent* entry = readdir(listing)) {
        const std::string entryName = entry->d_name;
        if (entryName.size() != prefix.size() + kRandomPart || entryName.compare(0, prefix.size(), prefix) != 0)
            continue;
        int fd = openat(dirfd(listing), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st {};
        // Free to lock: its writer has gone.
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0)
            unlinkat(dirfd(listing), entry->d_name, 0);
        ::close(fd);
    }
    closedir(listing);
}
