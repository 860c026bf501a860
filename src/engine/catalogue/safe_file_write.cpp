#include "engine/catalogue/safe_file_write.h"

#include <cerrno>
#include <functional>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvalt {
namespace {

// Closes a descriptor on every way out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    // Takes `fd` in place of the descriptor held so far.
    void Reset(int fd) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = fd;
    }
    // Closes now and says whether the close succeeded (it can report a
    // delayed write error).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// 0, or the errno of the write that failed.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// Appends everything up to the end of `fd` to `bytes`. 0, or the errno of
// the read that failed.
int ReadAll(int fd, std::string& bytes) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (got == 0) {
            return 0;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

std::filesystem::path Folder(const std::filesystem::path& path) {
    std::filesystem::path folder = path.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// Makes a new entry beside `path` under a name no one else uses,
// "path.<kind><pid>_<n>": `make` is tried on one name after the other and
// returns 0 when it made the entry, EEXIST when the name is taken (try the
// next), or another errno (give up). Returns 0 with `made` set, or the errno.
int MakeSibling(const std::filesystem::path& path, const char* kind, std::filesystem::path& made,
                const std::function<int(const std::filesystem::path&)>& make) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = path;
        candidate +=
            "." + std::string(kind) + std::to_string(::getpid()) + "_" + std::to_string(attempt);
        const int error = make(candidate);
        if (error == 0) {
            made = candidate;
            return 0;
        }
        if (error != EEXIST) {
            return error;
        }
    }
    return EEXIST;
}

// A new, empty file beside `path`, open for writing in `file`. 0 or errno.
int CreateSibling(const std::filesystem::path& path, const char* kind,
                  std::filesystem::path& created, FileDescriptor& file) {
    return MakeSibling(path, kind, created, [&](const std::filesystem::path& candidate) {
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            return errno;
        }
        file.Reset(fd);
        return 0;
    });
}

// `backup` when that name is free, otherwise the first free one of
// "stem-2.ext", "stem-3.ext" …, reserved as an empty file that only this
// write will replace. Returns 0 with `reserved` set, or errno.
int ReserveBackupName(const std::filesystem::path& backup, std::filesystem::path& reserved) {
    const std::filesystem::path stem = backup.parent_path() / backup.stem();
    const std::string extension = backup.extension().string();
    for (int n = 1; n <= 1000; ++n) {
        std::filesystem::path candidate = backup;
        if (n > 1) {
            candidate = stem;
            candidate += "-" + std::to_string(n) + extension;
        }
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            reserved = candidate;
            return 0;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
    return EEXIST;
}

// The bytes of `path` copied into a new sibling `pending`, flushed. 0 or errno.
int CopyToSibling(const std::filesystem::path& path, std::filesystem::path& pending) {
    FileDescriptor copy;
    if (const int error = CreateSibling(path, "bak", pending, copy); error != 0) {
        return error;
    }
    FileSnapshot old;
    int error = ReadFileSnapshot(path, old);
    if (error == 0 && !old.exists) {
        error = ENOENT;
    } else if (error == kNotARegularFile) {
        error = EINVAL;
    }
    if (error == 0) {
        error = WriteAll(copy.get(), old.bytes);
    }
    if (error == 0 && ::fsync(copy.get()) != 0) {
        error = errno;
    }
    if (error == 0 && !copy.Close()) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(pending.c_str());
    }
    return error;
}

// Keeps the file at `path` under a free name (ReserveBackupName), set in
// `kept`; never replaces an older backup. A hard link keeps the very bytes
// without reading them; where links are not possible the bytes are copied.
// The backup gets its name only once it is complete. Returns 0 or errno.
int KeepBackup(const std::filesystem::path& path, const std::filesystem::path& backup,
               std::filesystem::path& kept) {
    std::filesystem::path pending;
    const int linked =
        MakeSibling(path, "bak", pending, [&](const std::filesystem::path& candidate) {
            return ::link(path.c_str(), candidate.c_str()) == 0 ? 0 : errno;
        });
    if (linked != 0) {
        if (const int error = CopyToSibling(path, pending); error != 0) {
            return error;
        }
    }
    std::filesystem::path reserved;
    int error = ReserveBackupName(backup, reserved);
    if (error == 0 && ::rename(pending.c_str(), reserved.c_str()) != 0) {
        error = errno;
        ::unlink(reserved.c_str());
    }
    if (error != 0) {
        ::unlink(pending.c_str());
        return error;
    }
    kept = reserved;
    return 0;
}

// Whether the file at `path` is one its user may not write: no write bit
// for anyone (the read-only mark, which stops even root here, as it would
// stop any user on Windows), or no write access for this process.
bool IsReadOnly(const std::filesystem::path& path, const struct stat& info) {
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return true;
    }
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

// Holds an exclusive lock on the folder while a write checks the file and
// replaces it, so that copies of the program take turns. Best effort: where
// the folder cannot be opened or locked, the write goes on without it (and
// fails on its own if the folder is really unusable).
class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path& folder)
        : folder_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (folder_.get() >= 0) {
            while (::flock(folder_.get(), LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    // Makes a rename in the folder durable. Nothing to do about a failure:
    // the renamed file is in place whatever this says.
    void Sync() const {
        if (folder_.get() >= 0) {
            ::fsync(folder_.get());
        }
    }

private:
    FileDescriptor folder_; // closing it releases the lock
};

} // namespace

int ReadFileSnapshot(const std::filesystem::path& path, FileSnapshot& snapshot) {
    snapshot = FileSnapshot{};
    // Non-blocking, so that a FIFO in the file's place cannot hang the caller.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        return errno == ENOENT ? 0 : errno;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        return errno;
    }
    if (S_ISDIR(info.st_mode)) {
        return EISDIR;
    }
    if (!S_ISREG(info.st_mode)) {
        return kNotARegularFile;
    }
    std::string bytes;
    if (const int error = ReadAll(file.get(), bytes); error != 0) {
        return error;
    }
    snapshot.exists = true;
    snapshot.bytes = std::move(bytes);
    return 0;
}

AtomicWriteResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                      const AtomicWriteOptions& options) {
    AtomicWriteResult result;
    const auto failed = [&](int error) {
        result.ok = false;
        result.error = error;
        return result;
    };

    const FolderLock lock(Folder(path));

    struct stat old {};
    const bool oldExists = ::stat(path.c_str(), &old) == 0;
    if (!oldExists && errno != ENOENT) {
        return failed(errno);
    }
    if (oldExists && !S_ISREG(old.st_mode)) {
        return failed(S_ISDIR(old.st_mode) ? EISDIR : EINVAL);
    }
    if (oldExists && IsReadOnly(path, old)) {
        result.readOnly = true;
        return failed(EACCES);
    }

    if (options.expected) {
        FileSnapshot now;
        if (const int error = ReadFileSnapshot(path, now); error != 0) {
            return failed(error == kNotARegularFile ? EINVAL : error);
        }
        if (now != *options.expected) {
            result.changedOnDisk = true;
            return result;
        }
    }

    if (oldExists && !options.backup.empty()) {
        if (const int error = KeepBackup(path, options.backup, result.backupPath); error != 0) {
            result.backupFailed = true;
            return failed(error);
        }
        result.backupKept = true;
    }

    std::filesystem::path temporary;
    FileDescriptor file;
    if (const int error = CreateSibling(path, "tmp", temporary, file); error != 0) {
        return failed(error);
    }
    const auto abandon = [&](int error) {
        ::unlink(temporary.c_str());
        return failed(error);
    };
    // The new file keeps the old one's permissions.
    if (oldExists && ::fchmod(file.get(), old.st_mode & 07777) != 0) {
        return abandon(errno);
    }
    if (const int error = WriteAll(file.get(), bytes); error != 0) {
        return abandon(error);
    }
    if (::fsync(file.get()) != 0) {
        return abandon(errno);
    }
    if (!file.Close()) {
        return abandon(errno);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        return abandon(errno);
    }
    lock.Sync();
    result.ok = true;
    return result;
}

} // namespace orvalt
