#pragma once

#include <sys/stat.h>
#include <cstddef>

#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace tarvex {

// The system's explanation of an errno value.
std::string SystemMessage(int error);

// An open file descriptor, closed when it goes.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    ~FileDescriptor() { Close(); }

    void Reset(int fd) {
        Close();
        fd_ = fd;
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // 0, or the error that closing reported (a late write error shows up here).
    int Close();

  private:
    int fd_;
};

// 0, or the error that stopped the write.
int WriteAll(int fd, std::span<const std::uint8_t> data);

struct ReadResult {
    std::size_t count = 0;
    int error = 0;
};

// Fills the buffer or stops at the end of the file.
ReadResult ReadUpTo(int fd, std::span<std::uint8_t> buffer);

// True for a regular file; otherwise false, with the reason: the system's for a directory, and
// what the file is for the others.
bool CheckRegularFile(const struct stat& status, std::string& reason);

// Opens a regular file for reading without ever waiting: a named pipe or a device would block or
// never end, so anything that is not a regular file is refused. Invalid on failure, with the
// reason set.
FileDescriptor OpenRegularFileForReading(const std::filesystem::path& path, std::string& reason);

// The content of a regular file opened as above, read up to one byte past limit so that the
// caller can tell a file that is too large; nullopt with the reason when it cannot be read.
std::optional<std::string> ReadRegularFile(const std::filesystem::path& path, std::size_t limit,
                                           std::string& reason);

}  // namespace tarvex
