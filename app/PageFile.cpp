#include "app/PageFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

std::string describe(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

// Reads the whole file; errors throw.
std::string readAll(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw PageFileError(describe("cannot open", path));
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw PageFileError("not a regular file: " + path);
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int saved = errno;
            ::close(fd);
            errno = saved;
            throw PageFileError(describe("cannot read", path));
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

std::string folderOf(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The file a symbolic link leads to (the path itself when it is none).
std::string resolved(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
    if (!real)
        throw PageFileError(describe("cannot find", path));
    return real.get();
}

void writeAll(int fd, const std::string& bytes, const std::string& path) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw PageFileError(describe("cannot write", path));
        done += static_cast<std::size_t>(n);
    }
}

// Writes `bytes` to a new temporary file beside `target`, flushed to disk, with `mode`; returns
// its name. The caller renames or links it into place.
std::string writeTemporary(const std::string& target, const std::string& bytes, mode_t mode, uid_t uid, gid_t gid) {
    const std::string folder = folderOf(target);
    const std::string base = target.substr(target.rfind('/') + 1);
    std::string name = folder + "/." + base + ".tarnlink-XXXXXX";
    int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        throw PageFileError(describe("cannot write in", folder));
    try {
        writeAll(fd, bytes, name);
        // The owner is kept where we may set it; the mode always.
        [[maybe_unused]] int owned = fchown(fd, uid, gid);
        if (fchmod(fd, mode & 07777) != 0 || fsync(fd) != 0)
            throw PageFileError(describe("cannot write", name));
        if (::close(fd) != 0) {
            fd = -1;
            throw PageFileError(describe("cannot write", name));
        }
    } catch (...) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(name.c_str());
        throw;
    }
    return name;
}

void syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        ::close(fd);
    }
}

// "folder/NAME.corrected.EXT", or with "-2", "-3"... when taken.
std::string besideName(const std::string& target, int attempt) {
    const std::string folder = folderOf(target);
    std::string base = target.substr(target.rfind('/') + 1);
    auto dot = base.rfind('.');
    std::string stem = dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
    std::string ext = dot == std::string::npos || dot == 0 ? "" : base.substr(dot);
    return folder + "/" + stem + ".corrected" + (attempt > 1 ? "-" + std::to_string(attempt) : "") + ext;
}

}  // namespace

PageFile PageFile::open(const std::string& path) {
    return PageFile(path, readAll(path));
}

PageFile::SaveResult PageFile::save(const std::string& corrected) const {
    const std::string target = resolved(path_);
    struct stat st {};
    if (stat(target.c_str(), &st) != 0)
        throw PageFileError(describe("cannot find", target));
    const std::string temporary = writeTemporary(target, corrected, st.st_mode, st.st_uid, st.st_gid);

    // Someone else's change of the page wins over ours: ours goes beside it.
    bool changed;
    try {
        changed = readAll(target) != bytes_;
    } catch (const PageFileError&) {
        changed = true;
    }
    if (!changed) {
        if (rename(temporary.c_str(), target.c_str()) != 0) {
            ::unlink(temporary.c_str());
            throw PageFileError(describe("cannot replace", target));
        }
        syncFolder(folderOf(target));
        return {Outcome::Saved, target};
    }
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const std::string beside = besideName(target, attempt);
        // link() never replaces a file that exists.
        if (link(temporary.c_str(), beside.c_str()) == 0) {
            ::unlink(temporary.c_str());
            syncFolder(folderOf(target));
            return {Outcome::SavedBeside, beside};
        }
        if (errno != EEXIST)
            break;
    }
    int saved = errno;
    ::unlink(temporary.c_str());
    errno = saved;
    throw PageFileError(describe("cannot write the corrected page beside", target));
}
