// The order of a safe write, the same on every system; the steps themselves
// are in safe_file_write_posix.cpp and safe_file_write_win32.cpp.
#include "engine/catalogue/safe_file_write.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "engine/catalogue/safe_file_platform.h"

namespace orvalt {
namespace {

namespace platform = file_platform;

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
        candidate += "." + std::string(kind) + std::to_string(platform::ProcessId()) + "_" +
                     std::to_string(attempt);
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
                  std::filesystem::path& created, platform::NewFile& file) {
    return MakeSibling(path, kind, created, [&](const std::filesystem::path& candidate) {
        return file.Create(candidate);
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
        platform::NewFile file;
        const int error = file.Create(candidate);
        if (error == 0) {
            file.Close();
            reserved = candidate;
            return 0;
        }
        if (error != EEXIST) {
            return error;
        }
    }
    return EEXIST;
}

// The bytes of `path` copied into a new sibling `pending`, flushed. 0 or errno.
int CopyToSibling(const std::filesystem::path& path, std::filesystem::path& pending) {
    platform::NewFile copy;
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
        error = copy.Write(old.bytes);
    }
    if (error == 0) {
        error = copy.Flush();
    }
    if (error == 0) {
        error = copy.Close();
    }
    if (error != 0) {
        copy.Close();
        platform::Remove(pending);
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
            return platform::HardLink(path, candidate);
        });
    if (linked != 0) {
        if (const int error = CopyToSibling(path, pending); error != 0) {
            return error;
        }
    }
    std::filesystem::path reserved;
    int error = ReserveBackupName(backup, reserved);
    if (error == 0) {
        error = platform::RenameOver(pending, reserved);
        if (error != 0) {
            platform::Remove(reserved);
        }
    }
    if (error != 0) {
        platform::Remove(pending);
        return error;
    }
    kept = reserved;
    return 0;
}

// The new file beside `path` with `bytes`, flushed, renamed over `path`.
int ReplaceWith(const std::filesystem::path& path, std::string_view bytes,
                const platform::PathInfo& old) {
    std::filesystem::path temporary;
    platform::NewFile file;
    if (const int error = CreateSibling(path, "tmp", temporary, file); error != 0) {
        return error;
    }
    // The new file keeps the old one's owner and permissions (the owner
    // first: giving a file away may clear its set-id bits).
    if (old.exists) {
        file.SetOwner(old.owner, old.group);
    }
    int error = old.exists ? file.SetPermissions(old.permissions) : 0;
    if (error == 0) {
        error = file.Write(bytes);
    }
    if (error == 0) {
        error = file.Flush();
    }
    if (error == 0) {
        error = file.Close();
    }
    if (error == 0) {
        error = platform::RenameOver(temporary, path);
    }
    if (error != 0) {
        file.Close();
        platform::Remove(temporary);
    }
    return error;
}

// Where a write to `path` goes: through every symbolic link to the file it
// names (a link relative to its own folder), so that the link stays a link
// and the shared file is the one updated. A loop of links stops after 40
// hops; the write then fails on its own.
std::filesystem::path ResolveLinks(const std::filesystem::path& path) {
    std::filesystem::path target = path;
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(target, error) || error) {
            return target;
        }
        const std::filesystem::path next = std::filesystem::read_symlink(target, error);
        if (error) {
            return target;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

// Whether `name` is "<file>.<kind><pid>_<n>" for one of the kinds of
// MakeSibling: what a save killed before its rename leaves behind.
bool IsLeftover(const std::filesystem::path::string_type& name,
                const std::filesystem::path::string_type& file) {
    for (const char* kind : {".tmp", ".bak"}) {
        std::filesystem::path::string_type prefix = file;
        for (const char* c = kind; *c != '\0'; ++c) {
            prefix += static_cast<std::filesystem::path::value_type>(*c);
        }
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        std::size_t digits = 0, separators = 0;
        bool digitAfterSeparator = false;
        bool shape = true;
        for (std::size_t i = prefix.size(); i < name.size() && shape; ++i) {
            const auto c = name[i];
            if (c >= '0' && c <= '9') {
                ++digits;
                digitAfterSeparator = separators == 1;
            } else if (c == '_' && digits > 0 && separators == 0) {
                ++separators;
            } else {
                shape = false;
            }
        }
        if (shape && separators == 1 && digitAfterSeparator) {
            return true;
        }
    }
    return false;
}

// Removes the temporary files that saves of `path` killed before their
// rename left beside it. Called under the folder's lock, which every save
// holds from its first look to its rename: no other save's file is in the
// middle of being written.
void RemoveLeftovers(const std::filesystem::path& path) {
    const std::filesystem::path::string_type file = path.filename().native();
    std::error_code error;
    std::filesystem::directory_iterator entries(Folder(path), error);
    if (error) {
        return;
    }
    std::vector<std::filesystem::path> leftovers;
    for (const std::filesystem::directory_entry& entry : entries) {
        if (IsLeftover(entry.path().filename().native(), file)) {
            leftovers.push_back(entry.path());
        }
    }
    for (const std::filesystem::path& leftover : leftovers) {
        platform::Remove(leftover);
    }
}

} // namespace

AtomicWriteResult WriteFileAtomically(const std::filesystem::path& requested,
                                      std::string_view bytes, const AtomicWriteOptions& options) {
    const std::filesystem::path path = ResolveLinks(requested);
    AtomicWriteResult result;
    const auto failed = [&](int error) {
        result.ok = false;
        result.error = error;
        return result;
    };

    const platform::FolderLock lock(Folder(path));

    platform::PathInfo old;
    if (const int error = platform::Inspect(path, old); error != 0) {
        return failed(error);
    }
    if (old.exists && !old.regularFile) {
        return failed(old.folder ? EISDIR : EINVAL);
    }
    if (old.exists && old.readOnly) {
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

    if (old.exists && !options.backup.empty()) {
        if (const int error = KeepBackup(path, options.backup, result.backupPath); error != 0) {
            result.backupFailed = true;
            return failed(error);
        }
        result.backupKept = true;
    }

    if (const int error = ReplaceWith(path, bytes, old); error != 0) {
        return failed(error);
    }
    RemoveLeftovers(path);
    lock.Sync();
    result.ok = true;
    return result;
}

std::string FileErrorReason(int error) {
    const char* japanese = nullptr;
    switch (error) {
        case EACCES:
        case EPERM: japanese = "アクセスが許可されていません"; break;
        case ENOENT: japanese = "ファイルまたはフォルダーがありません"; break;
        case ENOTDIR: japanese = "途中のフォルダーがフォルダーではありません"; break;
        case EISDIR: japanese = "フォルダーです"; break;
        case EROFS: japanese = "読み取り専用の場所です"; break;
#ifdef EDQUOT // not on Windows
        case EDQUOT:
#endif
        case ENOSPC: japanese = "ディスクの空きがありません"; break;
        case EFBIG: japanese = "ファイルが大きすぎます"; break;
        case EIO: japanese = "入出力エラーが起きました"; break;
        case ENAMETOOLONG: japanese = "パスが長すぎます"; break;
        case EMFILE:
        case ENFILE: japanese = "開いているファイルが多すぎます"; break;
        case ENOTEMPTY:
        case EEXIST: japanese = "同じ名前のものがすでにあります"; break;
        default: break;
    }
    const std::string system = std::strerror(error);
    if (japanese == nullptr) {
        return system;
    }
    return std::string(japanese) + "（" + system + "）";
}

} // namespace orvalt
