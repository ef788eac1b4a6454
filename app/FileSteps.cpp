#include "app/FileSteps.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace filesteps {

namespace {

// Opens `path` without waiting for a writer or a device, and only when it is still a regular file.
int openRegular(const std::string& path, int flags) {
    int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    // Regular files never block; clearing the flag keeps every later read whole.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

}  // namespace

std::string describe(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

void writeAll(int fd, std::string_view bytes, const std::string& path) {
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

std::optional<struct stat> statRegular(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return st;
}

std::string readRegular(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        throw PageFileError(describe("cannot open", path));
    if (!S_ISREG(st.st_mode))
        throw PageFileError("not a regular file: " + path);
    int fd = openRegular(path, O_RDONLY);
    if (fd < 0)
        throw PageFileError(errno == EINVAL ? "not a regular file: " + path : describe("cannot open", path));
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

std::string nameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

bool userMayWrite(const std::string& path, const struct stat& st) {
    if (geteuid() == 0)
        return (st.st_mode & 0222) != 0;
    return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool renameKeepsIdentity(const struct stat& st) {
    return st.st_nlink <= 1 && (st.st_uid == geteuid() || geteuid() == 0);
}

void overwrite(const std::string& path, const struct stat& expected, std::string_view bytes) {
    int fd = openRegular(path, O_WRONLY | O_NOFOLLOW);
    if (fd < 0)
        throw PageFileError(describe("cannot write", path));
    struct stat st {};
    if (fstat(fd, &st) != 0 || st.st_dev != expected.st_dev || st.st_ino != expected.st_ino) {
        ::close(fd);
        errno = ESTALE;
        throw PageFileError(describe("cannot write", path));
    }
    try {
        if (ftruncate(fd, 0) != 0)
            throw PageFileError(describe("cannot write", path));
        writeAll(fd, bytes, path);
        if (fsync(fd) != 0)
            throw PageFileError(describe("cannot write", path));
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (::close(fd) != 0)
        throw PageFileError(describe("cannot write", path));
}

void syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        ::close(fd);
    }
}

}  // namespace filesteps
