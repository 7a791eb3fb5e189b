// Whole-file reading and the atomic write: links, special files, read-only targets, limits.
#include "base/file_io.h"
#include "base/file_limits.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

using namespace vartesk;
namespace fs = std::filesystem;

namespace {

// The message of the EFileError that body raises; "" when it raises none.
std::string ErrorOf(const std::function<void()> &body)
{
    try {
        body();
    } catch (const EFileError &e) {
        return e.what();
    }
    return "";
}

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

size_t EntryCount(const fs::path &folder)
{
    size_t n = 0;
    for ([[maybe_unused]] auto &e : fs::directory_iterator(folder))
        ++n;
    return n;
}

mode_t ModeOf(const fs::path &path)
{
    struct stat st
    { };
    ::lstat(path.c_str(), &st);
    return st.st_mode;
}

// Runs body in a child process that SIGALRM ends after a few seconds, so that a read that
// blocks fails the test instead of hanging the run. Gives the child's exit code, or 128 plus
// the signal that ended it; body prints its own diagnostics to stderr.
int InChildWithDeadline(const std::function<int()> &body)
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(10);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// 0 when reading path with the limit ends with an error that holds expected.
int ReadIsRefused(const fs::path &path, std::uintmax_t limit, const std::string &expected)
{
    return InChildWithDeadline([&] {
        const std::string message = ErrorOf([&] { ReadFileBytes(path, limit); });
        if (Contains(message, expected))
            return 0;
        std::fprintf(stderr, "reading %s: \"%s\"\n", path.c_str(), message.c_str());
        return 1;
    });
}

} // namespace

TEST(WriteFileAtomic, AFailedWriteLeavesThePreviousFile)
{
    test::TScratchDir dir;
    const auto target = dir / "p.vsk";
    WriteFileAtomic(target, "old");
    EXPECT_EQ(test::ReadAll(target), "old");
    WriteFileAtomic(target, "new");
    EXPECT_EQ(test::ReadAll(target), "new");

    if (::geteuid() != 0) { // root writes into read-only folders anyway
        ::chmod(dir.Path().c_str(), 0555);
        EXPECT_THROW(WriteFileAtomic(target, "lost"), EFileError);
        ::chmod(dir.Path().c_str(), 0755);
        EXPECT_EQ(test::ReadAll(target), "new");
    }
    // A target that is a folder cannot be replaced; nothing is left behind.
    fs::create_directory(dir / "sub");
    EXPECT_TRUE(
        Contains(ErrorOf([&] { WriteFileAtomic(dir / "sub", "x"); }), "It is not a regular file"));
    EXPECT_EQ(EntryCount(dir.Path()), 2u);
    EXPECT_THROW(WriteFileAtomic(dir / "missing" / "p.vsk", "x"), EFileError);
}

TEST(WriteFileAtomic, AFileWrittenInPiecesIsReplacedOnlyWhenComplete)
{
    test::TScratchDir dir;
    const auto target = dir / "book.xls";
    WriteFileAtomic(target, "old");
    // Pieces in order, a position filled in last.
    WriteFileAtomic(target, [](TFileSink &out) {
        out.Append("new?");
        out.Append("!");
        out.Overwrite(3, "-");
    });
    EXPECT_EQ(test::ReadAll(target), "new-!");
    // The producer's own failure goes on to the caller; so does one to write beyond the end.
    EXPECT_THROW(WriteFileAtomic(target,
                                 [](TFileSink &out) {
                                     out.Append("lost");
                                     throw std::logic_error("stop");
                                 }),
                 std::logic_error);
    EXPECT_THROW(WriteFileAtomic(target, [](TFileSink &out) { out.Overwrite(0, "beyond"); }),
                 EFileError);
    EXPECT_EQ(test::ReadAll(target), "new-!");
    EXPECT_EQ(EntryCount(dir.Path()), 1u); // no temporary file left
}

TEST(WriteFileAtomic, WritesThroughSymbolicLinksAndKeepsThem)
{
    test::TScratchDir dir;
    fs::create_directory(dir / "a");
    fs::create_directory(dir / "b");
    test::WriteAll(dir / "a" / "real.vsk", "old");
    // A relative link is read from the link's folder, not from the current one; a chain of
    // links ends at the one file.
    fs::create_symlink("../a/real.vsk", dir / "b" / "link.vsk");
    fs::create_symlink(dir / "b" / "link.vsk", dir / "chain.vsk");

    WriteFileAtomic(dir / "b" / "link.vsk", "through one");
    EXPECT_EQ(test::ReadAll(dir / "a" / "real.vsk"), "through one");
    WriteFileAtomic(dir / "chain.vsk", "through two");
    EXPECT_EQ(test::ReadAll(dir / "a" / "real.vsk"), "through two");

    EXPECT_TRUE(fs::is_symlink(dir / "b" / "link.vsk"));
    EXPECT_TRUE(fs::is_symlink(dir / "chain.vsk"));
    EXPECT_EQ(fs::read_symlink(dir / "b" / "link.vsk"), "../a/real.vsk");
    // The temporary lived beside the real file and is gone.
    EXPECT_EQ(EntryCount(dir / "a"), 1u);
    EXPECT_EQ(EntryCount(dir / "b"), 1u);
}

TEST(WriteFileAtomic, ADanglingLinkCreatesTheFileItNames)
{
    test::TScratchDir dir;
    fs::create_symlink("new.vsk", dir / "link.vsk");
    WriteFileAtomic(dir / "link.vsk", "fresh");
    EXPECT_EQ(test::ReadAll(dir / "new.vsk"), "fresh");
    EXPECT_TRUE(fs::is_symlink(dir / "link.vsk"));

    fs::create_symlink("nowhere/x.vsk", dir / "lost.vsk");
    EXPECT_THROW(WriteFileAtomic(dir / "lost.vsk", "x"), EFileError);
}

TEST(WriteFileAtomic, ALinkLoopIsAClearError)
{
    test::TScratchDir dir;
    fs::create_symlink("b.vsk", dir / "a.vsk");
    fs::create_symlink("a.vsk", dir / "b.vsk");
    fs::create_symlink("self.vsk", dir / "self.vsk");
    for (const char *name : {"a.vsk", "self.vsk"}) {
        const std::string message = ErrorOf([&] { WriteFileAtomic(dir / name, "x"); });
        EXPECT_TRUE(Contains(message, "Too many levels of symbolic links")) << message;
        EXPECT_TRUE(Contains(message, name)) << message;
    }
    EXPECT_TRUE(fs::is_symlink(dir / "a.vsk"));
    EXPECT_EQ(EntryCount(dir.Path()), 3u);
}

TEST(WriteFileAtomic, RefusesTargetsThatAreNotRegularFiles)
{
    test::TScratchDir dir;
    // Replacing these by a regular file would, run as root, replace nodes under /dev.
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    std::string message = ErrorOf([&] { WriteFileAtomic(dir / "fifo", "x"); });
    EXPECT_EQ(message,
              "Cannot write file \"" + (dir / "fifo").string() + "\". It is not a regular file");
    EXPECT_TRUE(S_ISFIFO(ModeOf(dir / "fifo")));

    fs::create_symlink("fifo", dir / "link");
    message = ErrorOf([&] { WriteFileAtomic(dir / "link", "x"); });
    EXPECT_TRUE(
        Contains(message, "Its target \"" + (dir / "fifo").string() + "\" is not a regular file"))
        << message;

    // A private twin of /dev/null (root only), so that a broken check cannot replace the real
    // one.
    const bool device = ::mknod((dir / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    if (device) {
        EXPECT_TRUE(Contains(ErrorOf([&] { WriteFileAtomic(dir / "null", "x"); }),
                             "is not a regular file"));
        EXPECT_TRUE(S_ISCHR(ModeOf(dir / "null")));
    }
    EXPECT_EQ(EntryCount(dir.Path()), device ? 3u : 2u);
}

TEST(WriteFileAtomic, ReadOnlyTargetsAreRefusedEvenForRoot)
{
    test::TScratchDir dir;
    const std::pair<const char *, mode_t> files[]
        = {{"r--r--r--.vsk", 0444}, {"r--------.vsk", 0400}, {"r-xr-xr-x.vsk", 0555}};
    for (const auto &[name, mode] : files) {
        const auto target = dir / name;
        test::WriteAll(target, "kept");
        ::chmod(target.c_str(), mode);
        const std::string message = ErrorOf([&] { WriteFileAtomic(target, "lost"); });
        EXPECT_EQ(message, "Cannot write file \"" + target.string() + "\". It is read-only");
        EXPECT_EQ(test::ReadAll(target), "kept");
    }
    fs::create_symlink("r--r--r--.vsk", dir / "link.vsk");
    EXPECT_TRUE(Contains(ErrorOf([&] { WriteFileAtomic(dir / "link.vsk", "lost"); }),
                         "r--r--r--.vsk\" is read-only"));

    // Anyone else is held to the bits that apply to them: an owner without the write bit is
    // refused even where the group may write. Run as that owner in a child process.
    const auto target = dir / "group.vsk";
    test::WriteAll(target, "kept");
    ::chmod(target.c_str(), 0464);
    const uid_t nobody = 65534;
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(target.c_str(), nobody, nobody), 0);
        ::chmod(dir.Path().c_str(), 0777);
    }
    const int code = InChildWithDeadline([&] {
        if (::geteuid() == 0 && (::setegid(nobody) != 0 || ::seteuid(nobody) != 0))
            return 2;
        const std::string message = ErrorOf([&] { WriteFileAtomic(target, "lost"); });
        if (Contains(message, "It is read-only"))
            return 0;
        std::fprintf(stderr, "as the owner: \"%s\"\n", message.c_str());
        return 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(test::ReadAll(target), "kept");
}

TEST(WriteFileAtomic, TheReplacementKeepsModeAndOwner)
{
    test::TScratchDir dir;
    for (const mode_t mode : {0640u, 0755u, 0604u, 0200u}) {
        const auto target = dir / ("m" + std::to_string(mode));
        test::WriteAll(target, "old");
        ::chmod(target.c_str(), mode);
        WriteFileAtomic(target, "new");
        EXPECT_EQ(test::ReadAll(target), "new");
        EXPECT_EQ(ModeOf(target) & 07777, mode) << std::oct << mode;
    }
    const mode_t saved = ::umask(027);
    WriteFileAtomic(dir / "fresh", "x");
    ::umask(saved);
    EXPECT_EQ(ModeOf(dir / "fresh") & 07777, 0640u);

    if (::geteuid() == 0) { // root saving someone's project leaves it theirs
        const auto theirs = dir / "theirs.vsk";
        test::WriteAll(theirs, "old");
        ASSERT_EQ(::chown(theirs.c_str(), 65534, 65534), 0);
        WriteFileAtomic(theirs, "new");
        struct stat st
        { };
        ::stat(theirs.c_str(), &st);
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
    }
}

TEST(WriteFileAtomic, TargetNamesOfTheLongestLengthCanBeSaved)
{
    test::TScratchDir dir;
    for (size_t length : {248u, 255u}) {
        const auto target = dir / (std::string(length - 4, 'p') + ".vsk");
        WriteFileAtomic(target, "first");
        WriteFileAtomic(target, "second");
        EXPECT_EQ(test::ReadAll(target), "second");
    }
    EXPECT_EQ(EntryCount(dir.Path()), 2u);
}

TEST(ReadFileBytes, ReadsRegularFilesThroughLinks)
{
    test::TScratchDir dir;
    test::WriteAll(dir / "p.vsk", "0123456789");
    fs::create_symlink("p.vsk", dir / "link.vsk");
    EXPECT_EQ(ReadFileBytes(dir / "link.vsk", 10), "0123456789");
    EXPECT_EQ(ReadFileBytes(dir / "p.vsk", kMaxProjectFileBytes), "0123456789");
    test::WriteAll(dir / "empty", "");
    EXPECT_EQ(ReadFileBytes(dir / "empty", 0), "");

    const std::string message = ErrorOf([&] { ReadFileBytes(dir / "none.vsk", 10); });
    EXPECT_EQ(message, "Cannot open file \"" + (dir / "none.vsk").string() + "\". File not found");
    EXPECT_TRUE(Contains(ErrorOf([&] { ReadFileBytes(dir.Path(), 10); }), "Is a directory"));

    // Files that tell no size (procfs) are read to their end all the same, within the limit.
    EXPECT_TRUE(Contains(ReadFileBytes("/proc/self/status", kMaxSettingsFileBytes), "Pid:"));
    EXPECT_TRUE(
        Contains(ErrorOf([&] { ReadFileBytes("/proc/self/status", 10); }), "larger than 10 bytes"));
}

TEST(ReadFileBytes, FifosAndDevicesEndWithAMessageAtOnce)
{
    test::TScratchDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo.vsk").c_str(), 0644), 0);
    EXPECT_EQ(ReadIsRefused(dir / "fifo.vsk", kMaxProjectFileBytes, "It is not a regular file"), 0);
    fs::create_symlink("fifo.vsk", dir / "link.vsk");
    EXPECT_EQ(ReadIsRefused(dir / "link.vsk", kMaxProjectFileBytes, "not a regular file"), 0);
    // Endless: without the check it would be read up to the limit, then refused as too large.
    EXPECT_EQ(ReadIsRefused("/dev/zero", kMaxCatalogFileBytes, "not a regular file"), 0);
    EXPECT_EQ(ReadIsRefused("/dev/null", kMaxCatalogFileBytes, "not a regular file"), 0);
}

TEST(ReadFileBytes, FilesAboveTheLimitAreRefusedNamingIt)
{
    test::TScratchDir dir;
    test::WriteAll(dir / "ten", "0123456789");
    EXPECT_EQ(ErrorOf([&] { ReadFileBytes(dir / "ten", 9); }),
              "Cannot read file \"" + (dir / "ten").string()
                  + "\". It is larger than 9 bytes, the most this program reads of such a file");

    // Sparse files: the size is refused before anything is read or allocated.
    const auto project = dir / "huge.vsk";
    test::WriteAll(project, "");
    fs::resize_file(project, kMaxProjectFileBytes + 1);
    std::string message = ErrorOf([&] { ReadFileBytes(project, kMaxProjectFileBytes); });
    EXPECT_TRUE(Contains(message, "huge.vsk")) << message;
    EXPECT_TRUE(Contains(message, "larger than 64 MiB")) << message;

    const auto book = dir / "huge.xls";
    test::WriteAll(book, "");
    fs::resize_file(book, kMaxWorkbookFileBytes + 1);
    message = ErrorOf([&] { ReadFileBytes(book, kMaxWorkbookFileBytes); });
    EXPECT_TRUE(Contains(message, "larger than 1 GiB")) << message;
}

TEST(ReadFileBytes, LimitsAreNamedInWholeUnits)
{
    EXPECT_EQ(SizeLimitText(64 * kMiB), "64 MiB");
    EXPECT_EQ(SizeLimitText(1024 * kMiB), "1 GiB");
    EXPECT_EQ(SizeLimitText(3 * 1024 * kMiB), "3 GiB");
    EXPECT_EQ(SizeLimitText(kMiB + 1), "1048577 bytes");
    EXPECT_EQ(SizeLimitText(0), "0 bytes");
}

TEST(WriteFileAtomic, CreateNewNeverTouchesAFileThatIsThere)
{
    test::TScratchDir dir;
    const fs::path target = dir / "seed.dat";
    WriteFileAtomic(target, "first", TWriteMode::CreateNew);
    EXPECT_EQ(test::ReadAll(target), "first");
    EXPECT_THROW(WriteFileAtomic(target, "second", TWriteMode::CreateNew), EFileExists);
    EXPECT_EQ(test::ReadAll(target), "first");
    // Through a link to an existing file too, and nothing is left behind either way.
    fs::create_symlink(target, dir / "link");
    EXPECT_THROW(WriteFileAtomic(dir / "link", "third", TWriteMode::CreateNew), EFileExists);
    EXPECT_EQ(test::ReadAll(target), "first");
    EXPECT_EQ(EntryCount(dir.Path()), 2u);
    // An empty file counts as there: a catalog the user emptied stays empty.
    test::WriteAll(dir / "empty", "");
    EXPECT_THROW(WriteFileAtomic(dir / "empty", "x", TWriteMode::CreateNew), EFileExists);
    EXPECT_EQ(fs::file_size(dir / "empty"), 0u);
    // A FIFO is no file of ours at all, which "already exists" would not say.
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    EXPECT_EQ(ErrorOf([&] { WriteFileAtomic(dir / "fifo", "x", TWriteMode::CreateNew); }),
              "Cannot write file \"" + (dir / "fifo").string() + "\". It is not a regular file");
}

TEST(WriteFileAtomic, AWriteEndedBySigintOrSigtermLeavesNoTemporaryFile)
{
    for (const int sig : {SIGINT, SIGTERM}) {
        test::TScratchDir dir;
        std::fflush(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::signal(sig, SIG_DFL); // a shell may start the tests with SIGINT ignored
            ::alarm(60);
            for (const std::string bytes(size_t(32) << 20, 'x');;)
                WriteFileAtomic(dir / "big.xls", bytes);
        }
        // The signal comes while the second round's temporary file is being written.
        for (int i = 0; i < 100000 && EntryCount(dir.Path()) < 2; ++i)
            ::usleep(100);
        ASSERT_EQ(EntryCount(dir.Path()), 2u);
        ::kill(pid, sig);
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << status;
        EXPECT_EQ(EntryCount(dir.Path()), 1u); // the first round's target alone
    }
}
