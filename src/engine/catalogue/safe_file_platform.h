// The file system steps behind safe_file_write.h, one file per system:
// safe_file_write_posix.cpp (open, fsync, link, rename, flock) and
// safe_file_write_win32.cpp (CreateFileW, FlushFileBuffers,
// CreateHardLinkW, MoveFileExW, a named mutex). Errors are errno values on
// both, so that callers have one set of reasons.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

namespace orvalt::file_platform {

// What stands at a path before a write.
struct PathInfo {
    bool exists = false;
    bool regularFile = false;
    bool folder = false;
    // A file no one may write (no write bit, the read-only mark) or that
    // this process may not write.
    bool readOnly = false;
    unsigned permissions = 0; // what a new file in its place should get
    // The file's owner and group where the system has them (POSIX), else -1.
    std::int64_t owner = -1;
    std::int64_t group = -1;
};

// 0 with `info` filled (also when nothing is there), or errno.
int Inspect(const std::filesystem::path& path, PathInfo& info);

// A file this write created, open for writing; closed when dropped.
class NewFile {
public:
    NewFile() = default;
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile() { Close(); }
    // Creates `path`, which must not exist: 0, EEXIST when it does, or errno.
    int Create(const std::filesystem::path& path);
    int Write(std::string_view bytes);        // 0 or errno
    int SetPermissions(unsigned permissions); // 0 or errno
    // Gives the file this owner and group, or the group alone, as far as the
    // process is permitted (best effort: a user may not give a file away).
    void SetOwner(std::int64_t owner, std::int64_t group);
    int Flush();                              // to the disk: 0 or errno
    int Close();                              // 0 or errno

private:
    std::intptr_t handle_ = -1;
};

// Holds the folder's lock between two copies of the program (best effort).
class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path& folder);
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();
    // Makes a rename in the folder durable, where the system needs it.
    void Sync() const;

private:
    std::intptr_t handle_ = -1;
};

int ProcessId();
// `link` becomes a second name of the file `existing`: 0 or errno.
int HardLink(const std::filesystem::path& existing, const std::filesystem::path& link);
// `from` takes the place of `to`, whether `to` exists or not: 0 or errno.
int RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);
void Remove(const std::filesystem::path& path);

} // namespace orvalt::file_platform
