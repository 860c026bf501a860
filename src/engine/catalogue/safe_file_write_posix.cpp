// The steps of a safe write on POSIX: open(O_EXCL), write, fsync, fchmod,
// link, rename, and an flock() on the folder that is fsync'ed after the
// rename. Also ReadFileSnapshot, which never blocks on a FIFO.
#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/catalogue/safe_file_platform.h"
#include "engine/catalogue/safe_file_write.h"

namespace orvalt {
namespace file_platform {
namespace {

int Fd(std::intptr_t handle) { return static_cast<int>(handle); }

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

// Whether the file at `path` is one its user may not write: no write bit
// for anyone (the read-only mark, which stops even root here, as it would
// stop any user on Windows), or no write access for this process.
bool IsReadOnly(const std::filesystem::path& path, const struct stat& info) {
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return true;
    }
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

} // namespace

int Inspect(const std::filesystem::path& path, PathInfo& info) {
    info = PathInfo{};
    struct stat old {};
    if (::stat(path.c_str(), &old) != 0) {
        return errno == ENOENT ? 0 : errno;
    }
    info.exists = true;
    info.regularFile = S_ISREG(old.st_mode);
    info.folder = S_ISDIR(old.st_mode);
    info.readOnly = info.regularFile && IsReadOnly(path, old);
    info.permissions = old.st_mode & 07777;
    info.owner = old.st_uid;
    info.group = old.st_gid;
    return 0;
}

int NewFile::Create(const std::filesystem::path& path) {
    Close();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return errno;
    }
    handle_ = fd;
    return 0;
}

int NewFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(Fd(handle_), bytes.data(), bytes.size());
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

int NewFile::SetPermissions(unsigned permissions) {
    return ::fchmod(Fd(handle_), static_cast<mode_t>(permissions)) == 0 ? 0 : errno;
}

void NewFile::SetOwner(std::int64_t owner, std::int64_t group) {
    if (owner < 0 || group < 0) {
        return;
    }
    const auto uid = static_cast<uid_t>(owner);
    const auto gid = static_cast<gid_t>(group);
    if (::fchown(Fd(handle_), uid, gid) != 0) {
        ::fchown(Fd(handle_), static_cast<uid_t>(-1), gid); // the group may still be ours
    }
}

int NewFile::Flush() { return ::fsync(Fd(handle_)) == 0 ? 0 : errno; }

// Closes now and says whether the close succeeded (it can report a delayed
// write error).
int NewFile::Close() {
    if (handle_ < 0) {
        return 0;
    }
    const int fd = Fd(handle_);
    handle_ = -1;
    return ::close(fd) == 0 ? 0 : errno;
}

// Best effort: where the folder cannot be opened or locked, the write goes on
// without it (and fails on its own if the folder is really unusable).
FolderLock::FolderLock(const std::filesystem::path& folder)
    : handle_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (handle_ >= 0) {
        while (::flock(Fd(handle_), LOCK_EX) != 0 && errno == EINTR) {
        }
    }
}

FolderLock::~FolderLock() {
    if (handle_ >= 0) {
        ::close(Fd(handle_)); // releases the lock
    }
}

// Nothing to do about a failure: the renamed file is in place whatever this
// says.
void FolderLock::Sync() const {
    if (handle_ >= 0) {
        ::fsync(Fd(handle_));
    }
}

int ProcessId() { return static_cast<int>(::getpid()); }

int HardLink(const std::filesystem::path& existing, const std::filesystem::path& link) {
    return ::link(existing.c_str(), link.c_str()) == 0 ? 0 : errno;
}

int RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void Remove(const std::filesystem::path& path) { ::unlink(path.c_str()); }

} // namespace file_platform

int ReadFileSnapshot(const std::filesystem::path& path, FileSnapshot& snapshot) {
    snapshot = FileSnapshot{};
    // Non-blocking, so that a FIFO in the file's place cannot hang the caller.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno == ENOENT ? 0 : errno;
    }
    struct stat info {};
    int error = ::fstat(fd, &info) == 0 ? 0 : errno;
    if (error == 0 && S_ISDIR(info.st_mode)) {
        error = EISDIR;
    } else if (error == 0 && !S_ISREG(info.st_mode)) {
        error = kNotARegularFile;
    }
    std::string bytes;
    if (error == 0) {
        error = file_platform::ReadAll(fd, bytes);
    }
    ::close(fd);
    if (error != 0) {
        return error;
    }
    snapshot.exists = true;
    snapshot.bytes = std::move(bytes);
    return 0;
}

} // namespace orvalt
