#include "files/file_writer.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <climits>
#include <exception>
#include <memory>
#include <string_view>

#include "files/failure_reason.h"
#include "files/system_file.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkHops = 40;  // the kernel's own limit
constexpr int kNameAttempts = 100;
constexpr std::string_view kTemporarySuffix = ".tmp";

std::string TemporaryPrefix() {
    std::array<char, HOST_NAME_MAX + 1> host{};
    if (::gethostname(host.data(), host.size() - 1) != 0) {
        host[0] = '\0';
    }
    return ".tarvex-" + std::string(host.data()) + "-";
}

fs::path NextTemporaryName(const fs::path& folder) {
    static unsigned serial = 0;
    return TemporaryFileName(folder, ::getpid(), ++serial);
}

bool Fail(std::string& reason, int error) {
    reason = SystemMessage(error);
    return false;
}

// The file a name stands for, through any chain of symbolic links (also one whose file does not
// exist yet), so that writing changes what a link points to and keeps the link.
int ResolveLinks(fs::path& path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::array<char, PATH_MAX> target{};
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0) {
            return errno == EINVAL || errno == ENOENT ? 0 : errno;  // no link, or nothing yet
        }
        if (static_cast<std::size_t>(length) == target.size()) {
            return ENAMETOOLONG;
        }
        const fs::path next(std::string(target.data(), static_cast<std::size_t>(length)));
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return ELOOP;
}

// Temporary files of this computer's saves whose process no longer runs: saves that were killed.
void RemoveStaleTemporaries(const fs::path& folder) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) {
        return;
    }
    const std::string prefix = TemporaryPrefix();
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name(entry->d_name);
        if (!name.starts_with(prefix) || !name.ends_with(kTemporarySuffix)) {
            continue;
        }
        const std::string_view rest = name.substr(prefix.size());
        pid_t process = 0;
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), process);
        const bool named = error == std::errc() && end != rest.data() + rest.size() && *end == '-';
        if (named && process > 0 && ::kill(process, 0) != 0 && errno == ESRCH) {
            ::unlinkat(::dirfd(dir.get()), entry->d_name, 0);
        }
    }
}

// The file being replaced, open for writing: the access that writing it in place needs.
struct ExistingFile {
    FileDescriptor file;
    struct stat status {};
};

// False when the target cannot be written; true with no file open when there is none yet.
bool OpenExisting(const fs::path& path, ExistingFile& existing, std::string& reason) {
    if (::stat(path.c_str(), &existing.status) != 0) {
        return errno == ENOENT || Fail(reason, errno);
    }
    if (!CheckRegularFile(existing.status, reason)) {
        return false;
    }
    existing.file.Reset(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!existing.file.valid() || ::fstat(existing.file.get(), &existing.status) != 0) {
        return Fail(reason, errno);
    }
    return CheckRegularFile(existing.status, reason);
}

bool WriteInPlace(int fd, std::span<const std::uint8_t> content, std::string& reason) {
    const auto size = static_cast<off_t>(content.size());
    // Room first: on a full disk this fails before a byte of the old content is lost.
    if (size > 0 && ::fallocate(fd, 0, 0, size) != 0 && errno != EOPNOTSUPP) {
        return Fail(reason, errno);
    }
    if (::lseek(fd, 0, SEEK_SET) != 0) {
        return Fail(reason, errno);
    }
    if (const int error = WriteAll(fd, content); error != 0) {
        return Fail(reason, error);
    }
    if (::ftruncate(fd, size) != 0 || ::fsync(fd) != 0) {
        return Fail(reason, errno);
    }
    return true;
}

// The new content's file beside the target; removed again unless it was renamed into place.
struct Temporary {
    Temporary() = default;
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary() {
        file.Close();
        if (!path.empty() && !placed) {
            ::unlink(path.c_str());
        }
    }

    FileDescriptor file;
    fs::path path;  // empty while unnamed
    bool placed = false;
};

int CreateTemporary(const fs::path& folder, TemporaryFile kind, Temporary& temp) {
    if (kind == TemporaryFile::Unnamed) {
        temp.file.Reset(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
        if (temp.file.valid()) {
            return 0;
        }
    }
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        fs::path candidate = NextTemporaryName(folder);
        temp.file.Reset(::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (temp.file.valid()) {
            temp.path = std::move(candidate);
            return 0;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
    return EEXIST;
}

// An unnamed temporary file gets its name only now, for the rename.
int NameTemporary(const fs::path& folder, Temporary& temp) {
    const std::string self = "/proc/self/fd/" + std::to_string(temp.file.get());
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        fs::path candidate = NextTemporaryName(folder);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) != 0 &&
            (errno != ENOENT ||  // without /proc, the descriptor itself
             ::linkat(temp.file.get(), "", AT_FDCWD, candidate.c_str(), AT_EMPTY_PATH) != 0)) {
            if (errno == EEXIST) {
                continue;
            }
            return errno;
        }
        temp.path = std::move(candidate);
        return 0;
    }
    return EEXIST;
}

// The old file's owner, group and permissions for the new one; false when the owner cannot be
// kept.
bool TakeOver(int fd, const struct stat& old) {
    struct stat now {};
    if (::fstat(fd, &now) != 0) {
        return false;
    }
    if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        return false;
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// Best effort: the rename has happened; this only hurries it onto the disk.
void SyncFolder(const fs::path& folder) {
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) {
        ::fsync(dir.get());
    }
}

bool WriteResolved(const fs::path& path, std::span<const std::uint8_t> content, TemporaryFile kind,
                   std::string& reason) {
    ExistingFile existing;
    if (!OpenExisting(path, existing, reason)) {
        return false;
    }
    const bool exists = existing.file.valid();
    if (exists && existing.status.st_nlink > 1) {
        return WriteInPlace(existing.file.get(), content, reason);
    }
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    RemoveStaleTemporaries(folder);
    Temporary temp;
    if (const int error = CreateTemporary(folder, kind, temp); error != 0) {
        // A folder the process may not write in: the file itself may still be written.
        if (exists && (error == EACCES || error == EPERM || error == EROFS)) {
            return WriteInPlace(existing.file.get(), content, reason);
        }
        return Fail(reason, error);
    }
    if (exists && !TakeOver(temp.file.get(), existing.status)) {
        return WriteInPlace(existing.file.get(), content, reason);
    }
    if (const int error = WriteAll(temp.file.get(), content); error != 0) {
        return Fail(reason, error);
    }
    if (::fsync(temp.file.get()) != 0) {
        return Fail(reason, errno);
    }
    if (temp.path.empty()) {
        if (const int error = NameTemporary(folder, temp); error != 0) {
            return Fail(reason, error);
        }
    }
    if (const int error = temp.file.Close(); error != 0) {
        return Fail(reason, error);
    }
    if (::rename(temp.path.c_str(), path.c_str()) != 0) {
        return Fail(reason, errno);
    }
    temp.placed = true;
    SyncFolder(folder);
    return true;
}

}  // namespace

fs::path TemporaryFileName(const fs::path& folder, long processId, unsigned serial) {
    return folder / (TemporaryPrefix() + std::to_string(processId) + "-" + std::to_string(serial) +
                     std::string(kTemporarySuffix));
}

bool WriteWholeFile(const fs::path& path, std::span<const std::uint8_t> content,
                    std::string* reason, TemporaryFile temporary) {
    try {
        std::string failure;
        fs::path target = path;
        if (!target.has_filename()) {
            failure = SystemMessage(EISDIR);
        } else if (const int error = ResolveLinks(target); error != 0) {
            failure = SystemMessage(error);
        } else if (WriteResolved(target, content, temporary, failure)) {
            return true;
        }
        SetReason(reason, failure);
    } catch (const std::exception& error) {
        SetReason(reason, error.what());
    } catch (...) {
        SetReason(reason, "unexpected failure while writing the file");
    }
    return false;
}

}  // namespace tarvex
