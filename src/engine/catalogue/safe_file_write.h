// Replacing a file without ever leaving it half-written, and recognising it
// again: the catalogue file is saved through these, but nothing here knows
// about wire records.
//
// A write goes to a new temporary file beside the old one ("name.tmp<pid>_<n>"),
// is flushed to disk, gets the old file's owner (where permitted) and
// permissions and is renamed over the old file; the folder is flushed last so
// that the rename survives a power cut. A failure at any step leaves the old
// file as it was and no temporary file behind; the temporary files of a save
// killed before its rename are removed by the next save of that file that
// succeeds. A path that is a symbolic link is written through it: the file it
// names (beside which the temporary file is made) is replaced, and the link
// stays a link. Optionally the old file is first kept as a backup, and the
// write can be made conditional: only while the file on disk is still the one
// a reader saw, so that two copies of the program saving the same file one
// after the other cannot silently undo each other's changes.
//
// On POSIX and on Windows alike (safe_file_platform.h). Errors are errno
// values, for the caller's own message.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orvalt {

// What a reader found at a path: a regular file and its bytes, or no file.
struct FileSnapshot {
    bool exists = false;
    std::string bytes; // the whole file; empty when !exists

    friend bool operator==(const FileSnapshot&, const FileSnapshot&) = default;
};

// ReadFileSnapshot's answer for something that is neither a regular file nor
// a folder (a FIFO, a device, a socket). Not an errno value.
inline constexpr int kNotARegularFile = -1;

// Reads what is at `path` now into `snapshot`. Returns 0 when it was read,
// also when there is no file (then snapshot.exists is false); otherwise the
// reason: an errno value (EISDIR for a folder) or kNotARegularFile. Never
// blocks on a FIFO in the file's place.
int ReadFileSnapshot(const std::filesystem::path& path, FileSnapshot& snapshot);

struct AtomicWriteOptions {
    // Not empty: when there is a file at the path, keep it under this name
    // first (a hard link, or a copy where links are not possible); when the
    // name is taken, under the first free one of "stem-2.ext", "stem-3.ext"
    // … ("data.bak" -> "data-2.bak"). An older backup is never replaced. The
    // write stops if keeping it fails.
    std::filesystem::path backup;
    // Set: replace the file only while what is on disk is still this (the
    // same bytes, or still no file); otherwise touch nothing and report
    // changedOnDisk. Every write holds an exclusive lock on the folder
    // (flock() on POSIX, a named mutex on Windows) from its first look at the
    // file to its rename, so copies of the program saving into the same
    // folder take turns and a check cannot be overtaken by another copy's
    // rename.
    std::optional<FileSnapshot> expected;
};

struct AtomicWriteResult {
    bool ok = false;
    // Not ok because the file on disk is no longer options.expected; nothing
    // was touched.
    bool changedOnDisk = false;
    // When !ok and !changedOnDisk: the errno of the step that failed (EISDIR
    // or EINVAL when a folder or another non-file stands at the path).
    int error = 0;
    // The failure was in keeping the backup: the old file is untouched.
    bool backupFailed = false;
    // The backup was made (also when a later step failed), under this name.
    bool backupKept = false;
    std::filesystem::path backupPath;
    // Not ok (EACCES) because the file is one its user may not write: no
    // write bit for anyone, or no write access for this process. Nothing
    // was touched.
    bool readOnly = false;
};

// Replaces the file at `path` (or creates it) with exactly `bytes`. A file
// marked read-only is not replaced (readOnly).
AtomicWriteResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                      const AtomicWriteOptions& options = {});

// The system's reason for the error number `error`, in Japanese where the
// engineer may meet it, with the system's own words beside it.
std::string FileErrorReason(int error);

} // namespace orvalt
