#include "platform/win/RegistryFile.h"

#include "platform/win/RegistryText.h"
#include "platform/win/WinReg.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace win {
namespace {

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }
    // Closes now, so a failing close (a late write error on some file systems) is seen.
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

LONG ErrorFromErrno(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    case EACCES:
    case EPERM:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    case ENOENT:
    case ENOTDIR:
        return ERROR_BAD_PATHNAME;
    default:
        return ERROR_WRITE_FAULT;
    }
}

// The whole file, or empty when it cannot be read; errno tells why.
std::optional<std::string> ReadAll(const std::filesystem::path& file) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0)
        return std::nullopt;
    std::string text;
    char buffer[16384];
    while (true) {
        const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
        if (got == 0)
            return text;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

void KeepAside(const std::filesystem::path& file) {
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);
    std::filesystem::path aside = file;
    aside += ".damaged-";
    aside += stamp;
    std::error_code error;
    std::filesystem::rename(file, aside, error);
}

}  // namespace

std::filesystem::path RegistryFilePath() {
    std::filesystem::path folder;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        folder = config;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/')
            return {};
        folder = std::filesystem::path(home) / ".config";
    }
    return folder / "tarn" / "registry.ini";
}

RegistryTree LoadRegistryFile(const std::filesystem::path& file, bool keepAside) {
    const std::optional<std::string> text = ReadAll(file);
    if (!text) {
        if (errno != ENOENT && keepAside)
            KeepAside(file);
        return RegistryTree();
    }
    std::optional<RegistryTree> tree = ParseRegistryText(*text);
    if (!tree) {
        if (keepAside)
            KeepAside(file);
        return RegistryTree();
    }
    return std::move(*tree);
}

LONG WriteRegistryFile(const std::filesystem::path& file, const std::string& text) {
    if (file.empty())
        return ERROR_BAD_PATHNAME;
    const std::filesystem::path folder = file.parent_path();
    std::error_code error;
    // A folder made here is the user's own, as the XDG base directory rules ask.
    if (std::filesystem::create_directories(folder, error))
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
    if (error)
        return ErrorFromErrno(error.value());

    std::string tempName = (folder / (file.filename().string() + ".tmp-XXXXXX")).string();
    FileDescriptor fd(::mkostemp(tempName.data(), O_CLOEXEC));
    if (fd.Get() < 0)
        return ErrorFromErrno(errno);
    // Settings are private to the user, whatever the umask.
    const bool written = ::fchmod(fd.Get(), 0600) == 0 && WriteAll(fd.Get(), text) && ::fsync(fd.Get()) == 0;
    const int writeError = errno;
    if (!fd.Close() || !written || ::rename(tempName.c_str(), file.c_str()) != 0) {
        const int failure = written ? errno : writeError;
        ::unlink(tempName.c_str());
        return ErrorFromErrno(failure);
    }
    // The rename itself reaches the disk with the folder's entry.
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0)
        ::fsync(dir.Get());
    return ERROR_SUCCESS;
}

}  // namespace win
