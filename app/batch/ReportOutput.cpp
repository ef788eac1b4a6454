#include "app/batch/ReportOutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

ReportOutput::Buffer::Buffer(int fd) : fd_(fd), bytes_(kBufferSize) {
    setp(bytes_.data(), bytes_.data() + bytes_.size());
}

// Writes the buffer out; after a failure the rest is dropped, since a report with a hole in it is no
// better than one cut short.
bool ReportOutput::Buffer::drain() {
    const char* next = pbase();
    while (error_ == 0 && next < pptr()) {
        const ssize_t written = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail(written < 0 ? errno : EIO);
        else
            next += written;
    }
    setp(bytes_.data(), bytes_.data() + bytes_.size());
    return error_ == 0;
}

ReportOutput::Buffer::int_type ReportOutput::Buffer::overflow(int_type c) {
    if (!drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof()))
        sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

int ReportOutput::Buffer::sync() { return drain() ? 0 : -1; }

ReportOutput::ReportOutput(int fd, std::string name) : name_(std::move(name)), buffer_(fd), stream_(&buffer_) {}

ReportOutput::~ReportOutput() {
    if (!finished_)
        finish();
}

std::optional<std::string> ReportOutput::finish() {
    finished_ = true;
    stream_.flush();
    buffer_.drain();
    if (::close(buffer_.fd()) != 0 && errno != EINTR)
        buffer_.fail(errno);
    if (buffer_.error() != 0)
        return std::string(std::strerror(buffer_.error()));
    return std::nullopt;
}
