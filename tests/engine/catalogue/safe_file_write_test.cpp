// Replacing a file atomically, keeping a backup, and replacing it only while
// it is still the file a reader saw: the general layer under the catalogue's
// save, tested without wire records.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "engine/catalogue/safe_file_write.h"
#include "support/files.h"
#include "support/temp_folder.h"

namespace orvalt {
namespace {

namespace fs = std::filesystem;

using test::ReadFileBytes;
using test::WriteFileBytes;

class SafeFileWrite : public test::TempFolderTest {
protected:
    void SetUp() override {
        MakeFolder("orvalt_safe_write");
        path_ = folder_ / "data.txt";
    }

    fs::path path_;
};

// Bytes that a text-mode write would change: CR LF, a lone CR, NUL, 0xFF.
const std::string kAwkwardBytes("a\r\nb\rc\0d\xff", 9);

TEST_F(SafeFileWrite, CreatesAndReplacesWithExactlyTheBytes) {
    AtomicWriteResult written = WriteFileAtomically(path_, kAwkwardBytes);
    ASSERT_TRUE(written.ok) << written.error;
    EXPECT_EQ(ReadFileBytes(path_), kAwkwardBytes);

    written = WriteFileAtomically(path_, "shorter");
    ASSERT_TRUE(written.ok) << written.error;
    EXPECT_FALSE(written.backupKept);
    EXPECT_EQ(ReadFileBytes(path_), "shorter");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"data.txt"});

    ASSERT_TRUE(WriteFileAtomically(path_, "").ok);
    EXPECT_EQ(fs::file_size(path_), 0u);
}

TEST_F(SafeFileWrite, BackupKeepsTheReplacedBytesAndNeverAnOlderBackup) {
    const fs::path backup = folder_ / "data.txt.bak";
    // No old file: nothing to keep.
    AtomicWriteResult written = WriteFileAtomically(path_, "first", {backup, std::nullopt});
    ASSERT_TRUE(written.ok);
    EXPECT_FALSE(written.backupKept);
    EXPECT_FALSE(fs::exists(backup));

    // Each write keeps what it replaced under the first free name.
    const char* const kept[] = {"data.txt.bak", "data.txt-2.bak", "data.txt-3.bak"};
    const char* const contents[] = {"first", "second", "third", "fourth"};
    for (int i = 0; i < 3; ++i) {
        written = WriteFileAtomically(path_, contents[i + 1], {backup, std::nullopt});
        ASSERT_TRUE(written.ok) << written.error;
        EXPECT_TRUE(written.backupKept);
        EXPECT_EQ(written.backupPath, folder_ / kept[i]);
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ReadFileBytes(folder_ / kept[i]), contents[i]);
    }
    EXPECT_EQ(ReadFileBytes(path_), "fourth");
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"data.txt", "data.txt-2.bak",
                                                         "data.txt-3.bak", "data.txt.bak"}));
}

TEST_F(SafeFileWrite, FileWithoutWriteBitsIsNotReplaced) {
    WriteFileBytes(path_, "kept");
    fs::permissions(path_, fs::perms::owner_read);
    const AtomicWriteResult written = WriteFileAtomically(path_, "x", {folder_ / "b.bak", {}});
    EXPECT_FALSE(written.ok);
    EXPECT_TRUE(written.readOnly);
    EXPECT_EQ(written.error, EACCES);
    EXPECT_FALSE(written.backupKept);
    EXPECT_EQ(ReadFileBytes(path_), "kept");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"data.txt"});
}

TEST_F(SafeFileWrite, NonFilesAtThePathAreNotReplaced) {
    fs::create_directory(path_);
    AtomicWriteResult written = WriteFileAtomically(path_, "x");
    EXPECT_FALSE(written.ok);
    EXPECT_FALSE(written.changedOnDisk);
    EXPECT_EQ(written.error, EISDIR);
    EXPECT_TRUE(fs::is_directory(path_));
    fs::remove(path_);

#ifndef _WIN32 // Windows has no FIFO in a folder
    ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    written = WriteFileAtomically(path_, "x");
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.error, EINVAL);
    EXPECT_TRUE(fs::is_fifo(path_));
    fs::remove(path_);
#endif

    WriteFileBytes(folder_ / "plain", "keep");
    written = WriteFileAtomically(folder_ / "plain" / "data.txt", "x");
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.error, ENOTDIR);
    EXPECT_EQ(ReadFileBytes(folder_ / "plain"), "keep");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"plain"});
}

// A save killed before its rename leaves its temporary file; the next save
// of that file that succeeds removes it, and nothing that only looks alike.
TEST_F(SafeFileWrite, TemporaryFilesOfAKilledSaveAreRemovedByTheNextSave) {
    const std::vector<std::string> leftovers = {"data.txt.tmp4242_0", "data.txt.tmp1_17",
                                                "data.txt.bak77_3"};
    const std::vector<std::string> others = {"data.txt.tmp", "data.txt.tmp1_", "data.txt.tmpx1_2",
                                             "data.txt.tmp1_2.old", "other.txt.tmp1_0",
                                             "data.txt.bak"};
    for (const std::string& name : leftovers) WriteFileBytes(folder_ / name, "half");
    for (const std::string& name : others) WriteFileBytes(folder_ / name, "keep");
    ASSERT_TRUE(WriteFileAtomically(path_, "saved").ok);
    std::vector<std::string> expected = others;
    expected.push_back("data.txt");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderEntries(), expected);
    EXPECT_EQ(ReadFileBytes(path_), "saved");
}

#ifndef _WIN32 // symbolic links need a privilege on Windows
// Saving through a symbolic link replaces the file it names, beside which the
// temporary file is made; the link stays a link to it.
TEST_F(SafeFileWrite, WritesThroughSymbolicLinksToTheirTarget) {
    fs::create_directory(folder_ / "shared");
    const fs::path target = folder_ / "shared" / "data.txt";
    struct Link {
        const char* what;
        fs::path link;
        fs::path pointsTo;
    };
    const Link links[] = {
        {"absolute", folder_ / "abs.txt", target},
        {"relative", folder_ / "rel.txt", fs::path("shared") / "data.txt"},
        {"to a link", folder_ / "chain.txt", folder_ / "abs.txt"},
    };
    for (const Link& l : links) {
        fs::remove(target);
        fs::create_symlink(l.pointsTo, l.link);
        // First with no file at the end of the link, then replacing it.
        for (const std::string bytes : {"created", "replaced"}) {
            const AtomicWriteResult written = WriteFileAtomically(l.link, bytes);
            ASSERT_TRUE(written.ok) << l.what << ": " << written.error;
            EXPECT_TRUE(fs::is_symlink(l.link)) << l.what;
            EXPECT_EQ(fs::read_symlink(l.link), l.pointsTo) << l.what;
            EXPECT_EQ(ReadFileBytes(target), bytes) << l.what;
        }
        std::vector<std::string> inShared;
        for (const auto& entry : fs::directory_iterator(folder_ / "shared"))
            inShared.push_back(entry.path().filename().string());
        EXPECT_EQ(inShared, std::vector<std::string>{"data.txt"}) << l.what;
    }
}

// The replaced file's permissions and owner stay (the owner where the process
// may give it: as root, a file of another user stays that user's).
TEST_F(SafeFileWrite, KeepsTheReplacedFilesPermissionsAndOwner) {
    WriteFileBytes(path_, "old");
    ASSERT_EQ(::chmod(path_.c_str(), 0640), 0);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path_.c_str(), 12345, 23456), 0);
    }
    struct stat before {};
    ASSERT_EQ(::stat(path_.c_str(), &before), 0);
    ASSERT_TRUE(WriteFileAtomically(path_, "new").ok);
    struct stat after {};
    ASSERT_EQ(::stat(path_.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino); // replaced, not written in place
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
}
#endif

// ---------------------------------------------------------------------------
// Snapshots

TEST_F(SafeFileWrite, SnapshotTellsAFileFromNoFile) {
    FileSnapshot snapshot{true, "stale"};
    EXPECT_EQ(ReadFileSnapshot(path_, snapshot), 0);
    EXPECT_EQ(snapshot, FileSnapshot{});

    WriteFileBytes(path_, "");
    EXPECT_EQ(ReadFileSnapshot(path_, snapshot), 0);
    EXPECT_EQ(snapshot, (FileSnapshot{true, ""}));
    EXPECT_NE(snapshot, FileSnapshot{}); // an empty file is not no file

    WriteFileBytes(path_, kAwkwardBytes);
    EXPECT_EQ(ReadFileSnapshot(path_, snapshot), 0);
    EXPECT_EQ(snapshot, (FileSnapshot{true, kAwkwardBytes}));

    // Larger than one read.
    const std::string large(200000, 'x');
    WriteFileBytes(path_, large);
    EXPECT_EQ(ReadFileSnapshot(path_, snapshot), 0);
    EXPECT_EQ(snapshot.bytes, large);
}

TEST_F(SafeFileWrite, SnapshotOfANonFileSaysWhy) {
    FileSnapshot snapshot;
    fs::create_directory(path_);
    EXPECT_EQ(ReadFileSnapshot(path_, snapshot), EISDIR);
    fs::remove(path_);
#ifndef _WIN32 // Windows has no FIFO in a folder
    // A FIFO without a writer would block a plain open.
    ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    EXPECT_EQ(ReadFileSnapshot(path_, snapshot), kNotARegularFile);
    EXPECT_FALSE(snapshot.exists);
#endif
}

// ---------------------------------------------------------------------------
// Replacing only the file that was read

TEST_F(SafeFileWrite, ReplacesOnlyTheFileThatWasRead) {
    WriteFileBytes(path_, "as read");
    FileSnapshot seen;
    ASSERT_EQ(ReadFileSnapshot(path_, seen), 0);
    const fs::path backup = folder_ / "data.txt.bak";

    WriteFileBytes(path_, "changed by someone else");
    AtomicWriteResult written = WriteFileAtomically(path_, "mine", {backup, seen});
    EXPECT_FALSE(written.ok);
    EXPECT_TRUE(written.changedOnDisk);
    EXPECT_FALSE(written.backupKept);
    EXPECT_EQ(ReadFileBytes(path_), "changed by someone else");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"data.txt"});

    ASSERT_EQ(ReadFileSnapshot(path_, seen), 0);
    written = WriteFileAtomically(path_, "mine", {backup, seen});
    ASSERT_TRUE(written.ok);
    EXPECT_FALSE(written.changedOnDisk);
    EXPECT_TRUE(written.backupKept);
    EXPECT_EQ(ReadFileBytes(path_), "mine");
    EXPECT_EQ(ReadFileBytes(backup), "changed by someone else");
}

TEST_F(SafeFileWrite, NoFileExpectedMeansNoFileMayHaveAppeared) {
    const AtomicWriteOptions noFileYet{{}, FileSnapshot{}};
    WriteFileBytes(path_, "");
    AtomicWriteResult written = WriteFileAtomically(path_, "mine", noFileYet);
    EXPECT_TRUE(written.changedOnDisk);
    EXPECT_EQ(fs::file_size(path_), 0u);

    fs::remove(path_);
    written = WriteFileAtomically(path_, "mine", noFileYet);
    ASSERT_TRUE(written.ok);
    EXPECT_EQ(ReadFileBytes(path_), "mine");

    // And a file that was read may not have disappeared.
    fs::remove(path_);
    written = WriteFileAtomically(path_, "again", {{}, FileSnapshot{true, "mine"}});
    EXPECT_TRUE(written.changedOnDisk);
    EXPECT_FALSE(fs::exists(path_));
}

// A copy of the program that holds the folder's lock is between its check and
// its rename: a conditional write waits for it and then sees its file.
TEST_F(SafeFileWrite, ConditionalWriteWaitsForAnotherWriterInTheFolder) {
#ifdef _WIN32
    GTEST_SKIP() << "on Windows the folder's lock is a named mutex that only the writer itself "
                    "names; this test takes the lock the POSIX way, with flock()";
#else
    WriteFileBytes(path_, "as read");
    FileSnapshot seen;
    ASSERT_EQ(ReadFileSnapshot(path_, seen), 0);

    const int folder = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    ASSERT_EQ(::flock(folder, LOCK_EX), 0);

    std::atomic<bool> done = false;
    AtomicWriteResult written;
    std::thread writer([&] {
        written = WriteFileAtomically(path_, "mine", {{}, seen});
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const bool finishedWhileLocked = done;
    // The other writer's save, still under its lock.
    WriteFileBytes(path_, "the other's save");
    ::flock(folder, LOCK_UN);
    ::close(folder);
    writer.join();

    EXPECT_FALSE(finishedWhileLocked);
    EXPECT_FALSE(written.ok);
    EXPECT_TRUE(written.changedOnDisk);
    EXPECT_EQ(ReadFileBytes(path_), "the other's save");
#endif
}

} // namespace
} // namespace orvalt
