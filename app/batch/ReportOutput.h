#pragma once
#include <optional>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

// Where a report goes: a file descriptor written through a buffer of our own, so that every failed
// write is known. A report that a CI job reads must not look complete when the disk was full: the
// first error is kept, later writes are dropped, and finish() says what went wrong.
class ReportOutput {
public:
    // `fd` is written and, by finish(), closed; `name` says where it leads in messages.
    ReportOutput(int fd, std::string name);
    ~ReportOutput();
    ReportOutput(const ReportOutput&) = delete;
    ReportOutput& operator=(const ReportOutput&) = delete;

    std::ostream& stream() { return stream_; }
    const std::string& name() const { return name_; }

    // Writes what is buffered and closes the descriptor, its error checked too (a file system may only
    // report a failed write there). The reason of the first failure, or none when all was written.
    std::optional<std::string> finish();

private:
    class Buffer : public std::streambuf {
    public:
        explicit Buffer(int fd);
        bool drain();
        int fd() const { return fd_; }
        int error() const { return error_; }
        void fail(int error) { error_ = error_ ? error_ : error; }

    protected:
        int_type overflow(int_type c) override;
        int sync() override;

    private:
        int fd_;
        int error_ = 0;
        std::vector<char> bytes_;
    };

    std::string name_;
    Buffer buffer_;
    std::ostream stream_;
    bool finished_ = false;
};
