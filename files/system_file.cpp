#include "files/system_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace tarvex {
namespace {

std::string KindOf(mode_t mode) {
    if (S_ISFIFO(mode)) {
        return "a named pipe";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "a device";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return "a special file";
}

}  // namespace

std::string SystemMessage(int error) {
    return std::system_category().message(error);
}

int FileDescriptor::Close() {
    if (fd_ < 0) {
        return 0;
    }
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
}

int WriteAll(int fd, std::span<const std::uint8_t> data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        data = data.subspan(static_cast<std::size_t>(written));
    }
    return 0;
}

ReadResult ReadUpTo(int fd, std::span<std::uint8_t> buffer) {
    ReadResult result;
    while (result.count < buffer.size()) {
        const ssize_t got = ::read(fd, buffer.data() + result.count, buffer.size() - result.count);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.error = errno;
            return result;
        }
        if (got == 0) {
            break;
        }
        result.count += static_cast<std::size_t>(got);
    }
    return result;
}

bool CheckRegularFile(const struct stat& status, std::string& reason) {
    if (S_ISREG(status.st_mode)) {
        return true;
    }
    reason = S_ISDIR(status.st_mode) ? SystemMessage(EISDIR)
                                     : "it is " + KindOf(status.st_mode) + ", not a regular file";
    return false;
}

FileDescriptor OpenRegularFileForReading(const std::filesystem::path& path, std::string& reason) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status {};
    if (!file.valid() || ::fstat(file.get(), &status) != 0) {
        reason = SystemMessage(errno);
        return FileDescriptor();
    }
    if (!CheckRegularFile(status, reason)) {
        return FileDescriptor();
    }
    // Reading a regular file never waits; the flag only mattered while opening.
    ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
    return file;
}

std::optional<std::string> ReadRegularFile(const std::filesystem::path& path, std::size_t limit,
                                           std::string& reason) {
    const FileDescriptor file = OpenRegularFileForReading(path, reason);
    if (!file.valid()) {
        return std::nullopt;
    }
    // The buffer starts at the file's size, not at the limit, so that a small file costs only its
    // length; it grows should the file prove longer, up to one byte past the limit, which tells
    // the caller the file is too large.
    struct stat status {};
    const auto size =
        ::fstat(file.get(), &status) == 0 ? static_cast<std::size_t>(status.st_size) : 0;
    std::string content;
    std::size_t capacity = std::min(limit, size) + 1;
    for (;;) {
        const std::size_t start = content.size();
        content.resize(capacity);
        const ReadResult read = ReadUpTo(
            file.get(),
            std::span(reinterpret_cast<std::uint8_t*>(content.data()) + start, capacity - start));
        if (read.error != 0) {
            reason = SystemMessage(read.error);
            return std::nullopt;
        }
        content.resize(start + read.count);
        if (content.size() < capacity || capacity > limit) {
            return content;
        }
        capacity = std::min(limit + 1, capacity * 2);
    }
}

}  // namespace tarvex
