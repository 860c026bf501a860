// The steps of a safe write on Windows: CreateFileW(CREATE_NEW), WriteFile,
// FlushFileBuffers, CreateHardLinkW, MoveFileExW(MOVEFILE_REPLACE_EXISTING |
// MOVEFILE_WRITE_THROUGH). LockFileEx cannot lock a folder, so copies of the
// program take turns on a named mutex named after the folder. Paths go to
// the system as UTF-16, so any name works. Also ReadFileSnapshot.
#include <windows.h>

#include <cerrno>
#include <cwctype>
#include <string>

#include "engine/catalogue/safe_file_platform.h"
#include "engine/catalogue/safe_file_write.h"

namespace orvalt {
namespace file_platform {
namespace {

HANDLE Handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// The errno value closest to Windows' last error.
int LastError() {
    switch (::GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE: return ENOENT;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return EEXIST;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return EACCES;
        case ERROR_WRITE_PROTECT: return EROFS;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ENOSPC;
        case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
        case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
        case ERROR_DIRECTORY: return ENOTDIR;
        case ERROR_NOT_SAME_DEVICE:
        case ERROR_INVALID_FUNCTION:
        case ERROR_NOT_SUPPORTED: return EXDEV;
        default: return EIO;
    }
}

int Checked(BOOL ok) { return ok ? 0 : LastError(); }

// The errno value for a failed call on `path`. Windows says "path not found"
// for a missing folder, for a path through a file and for a name too long
// for the file system alike; POSIX tells them apart (ENOENT, ENOTDIR,
// ENAMETOOLONG), and so does this.
int PathError(const std::filesystem::path& path) {
    const DWORD code = ::GetLastError();
    const bool notFound = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ||
                          code == ERROR_INVALID_NAME || code == ERROR_FILENAME_EXCED_RANGE;
    if (!notFound) {
        return LastError();
    }
    if (path.filename().native().size() > 255) {
        return ENAMETOOLONG;
    }
    if (code == ERROR_FILE_NOT_FOUND) {
        return ENOENT;
    }
    for (std::filesystem::path folder = path.parent_path();
         !folder.empty() && folder != folder.parent_path(); folder = folder.parent_path()) {
        const DWORD attributes = ::GetFileAttributesW(folder.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? ENOENT : ENOTDIR;
        }
    }
    return ENOENT;
}

// Appends the rest of `file` to `bytes`: 0 or errno.
int ReadAll(HANDLE file, std::string& bytes) {
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            return LastError();
        }
        if (got == 0) {
            return 0;
        }
        bytes.append(buffer, got);
    }
}

// A mutex name for the folder: the same for every way of writing its path
// that std::filesystem::absolute and case folding agree on.
std::wstring MutexName(const std::filesystem::path& folder) {
    std::error_code ignored;
    std::wstring path = std::filesystem::absolute(folder, ignored).lexically_normal().wstring();
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (wchar_t c : path) {
        hash = (hash ^ static_cast<std::uint64_t>(std::towlower(c))) * 1099511628211ull;
    }
    return L"Local\\orvalt99-folder-" + std::to_wstring(hash);
}

} // namespace

int Inspect(const std::filesystem::path& path, PathInfo& info) {
    info = PathInfo{};
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        const int error = PathError(path);
        return error == ENOENT ? 0 : error;
    }
    info.exists = true;
    info.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.regularFile = !info.folder && (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) == 0;
    info.readOnly = info.regularFile && (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    return 0;
}

int NewFile::Create(const std::filesystem::path& path) {
    Close();
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return PathError(path);
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return 0;
}

int NewFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk =
            bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!::WriteFile(Handle(handle_), bytes.data(), chunk, &written, nullptr)) {
            return LastError();
        }
        bytes.remove_prefix(written);
    }
    return 0;
}

// Windows files carry no permission bits; the new file takes the folder's
// access rights like every file made there, and a read-only one is never
// replaced.
int NewFile::SetPermissions(unsigned) { return 0; }

// Likewise the new file's owner is the one who saves, as for any file made
// in that folder.
void NewFile::SetOwner(std::int64_t, std::int64_t) {}

int NewFile::Flush() { return Checked(::FlushFileBuffers(Handle(handle_))); }

int NewFile::Close() {
    if (handle_ == -1) {
        return 0;
    }
    const HANDLE file = Handle(handle_);
    handle_ = -1;
    return Checked(::CloseHandle(file));
}

// Best effort, like flock() on POSIX: without a mutex the write goes on.
FolderLock::FolderLock(const std::filesystem::path& folder) {
    const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, MutexName(folder).c_str());
    if (mutex == nullptr) {
        return;
    }
    const DWORD waited = ::WaitForSingleObject(mutex, INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        ::CloseHandle(mutex);
        return;
    }
    handle_ = reinterpret_cast<std::intptr_t>(mutex);
}

FolderLock::~FolderLock() {
    if (handle_ != -1) {
        ::ReleaseMutex(Handle(handle_));
        ::CloseHandle(Handle(handle_));
    }
}

// MOVEFILE_WRITE_THROUGH already waited for the rename to reach the disk.
void FolderLock::Sync() const {}

int ProcessId() { return static_cast<int>(::GetCurrentProcessId()); }

int HardLink(const std::filesystem::path& existing, const std::filesystem::path& link) {
    return ::CreateHardLinkW(link.c_str(), existing.c_str(), nullptr) ? 0 : PathError(link);
}

int RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    return ::MoveFileExW(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : PathError(to);
}

void Remove(const std::filesystem::path& path) { ::DeleteFileW(path.c_str()); }

} // namespace file_platform

int ReadFileSnapshot(const std::filesystem::path& path, FileSnapshot& snapshot) {
    snapshot = FileSnapshot{};
    // FILE_FLAG_BACKUP_SEMANTICS opens a folder too, so that it can be told apart.
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const int error = file_platform::PathError(path);
        return error == ENOENT ? 0 : error;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    int error = file_platform::Checked(::GetFileInformationByHandle(file, &info));
    if (error == 0 && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        error = EISDIR;
    } else if (error == 0 && ::GetFileType(file) != FILE_TYPE_DISK) {
        error = kNotARegularFile;
    }
    std::string bytes;
    if (error == 0) {
        error = file_platform::ReadAll(file, bytes);
    }
    ::CloseHandle(file);
    if (error != 0) {
        return error;
    }
    snapshot.exists = true;
    snapshot.bytes = std::move(bytes);
    return 0;
}

} // namespace orvalt
