// File reading and atomic replacement (POSIX).
#include "base/file_io.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vartesk {

namespace {

// As many links in a row as the kernel follows before it answers ELOOP.
constexpr int kMaxLinkHops = 40;

std::string Reason(int error)
{
    return error == ENOENT ? std::string("File not found") : std::string(std::strerror(error));
}

EFileError Failure(const char *what, const std::filesystem::path &path, const std::string &why)
{
    return EFileError(std::string(what) + " \"" + path.string() + "\". " + why, why);
}

// The temporary files of the writes in progress, for SIGINT and SIGTERM to remove before the
// process ends. The handler reads only these fixed buffers and calls only unlink(), signal()
// and raise(), which are safe there; a slot is published by its state once its path is whole.
constexpr int kTempSlots = 16;

struct TTempSlot
{
    std::atomic<int> State {0}; // kFree, kFilling or kHeld
    char Path[PATH_MAX];
};

constexpr int kFree = 0;
constexpr int kFilling = 1;
constexpr int kHeld = 2;
static_assert(std::atomic<int>::is_always_lock_free);

TTempSlot TempSlots[kTempSlots];
constexpr int kCleanedSignals[] = {SIGINT, SIGTERM};

extern "C" void RemoveTempFilesAndEnd(int sig)
{
    for (TTempSlot &slot : TempSlots)
        if (slot.State.load(std::memory_order_acquire) == kHeld)
            ::unlink(slot.Path);
    // The signal's own ending, so that the parent sees what ended the process.
    ::signal(sig, SIG_DFL);
    ::raise(sig);
}

// Takes over the signals still at their default action; one that the program ignores or
// handles itself is left alone (nohup, a shell's background job, the program's own handler).
void CatchEndingSignals()
{
    for (const int sig : kCleanedSignals) {
        struct sigaction current;
        if (::sigaction(sig, nullptr, &current) != 0 || current.sa_handler != SIG_DFL
            || (current.sa_flags & SA_SIGINFO) != 0)
            continue;
        struct sigaction mine
        { };
        mine.sa_handler = RemoveTempFilesAndEnd;
        sigemptyset(&mine.sa_mask);
        for (const int other : kCleanedSignals)
            sigaddset(&mine.sa_mask, other);
        ::sigaction(sig, &mine, nullptr);
    }
}

// A temporary file created with the ending signals held back, so that none can come between
// its creation and its entry in the list; removed from the list when the write is over.
class TTempFile
{
public:
    explicit TTempFile(std::string &name)
    {
        CatchEndingSignals();
        sigset_t ending, previous;
        sigemptyset(&ending);
        for (const int sig : kCleanedSignals)
            sigaddset(&ending, sig);
        ::pthread_sigmask(SIG_BLOCK, &ending, &previous);
        Fd = ::mkstemp(name.data());
        Error = errno;
        if (Fd >= 0 && name.size() < sizeof TempSlots[0].Path) {
            for (int k = 0; k < kTempSlots && Slot < 0; ++k) {
                int expected = kFree;
                if (TempSlots[k].State.compare_exchange_strong(expected, kFilling))
                    Slot = k;
            }
            // More writes at once than slots: this one goes unlisted.
            if (Slot >= 0) {
                std::memcpy(TempSlots[Slot].Path, name.c_str(), name.size() + 1);
                TempSlots[Slot].State.store(kHeld, std::memory_order_release);
            }
        }
        ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    }
    ~TTempFile()
    {
        if (Slot >= 0)
            TempSlots[Slot].State.store(kFree, std::memory_order_release);
    }
    TTempFile(const TTempFile &) = delete;
    TTempFile &operator=(const TTempFile &) = delete;

    int Fd = -1; // mkstemp's result
    int Error = 0; // its errno

private:
    int Slot = -1;
};

class TFd
{
public:
    explicit TFd(int fd)
        : Fd(fd)
    { }
    ~TFd()
    {
        if (Fd >= 0)
            ::close(Fd);
    }
    TFd(const TFd &) = delete;
    TFd &operator=(const TFd &) = delete;
    int Get() const { return Fd; }
    int Release()
    {
        const int fd = Fd;
        Fd = -1;
        return fd;
    }
    // Closes now and gives close's result: a late write error shows only here.
    int Close()
    {
        const int r = ::close(Fd);
        Fd = -1;
        return r;
    }

private:
    int Fd;
};

EFileError TooLarge(const std::filesystem::path &path, std::uintmax_t maxBytes)
{
    return Failure("Cannot read file",
                   path,
                   "It is larger than " + SizeLimitText(maxBytes)
                       + ", the most this program reads of such a file");
}

// Why a file that is not a regular one is not read; empty for a regular file.
std::string NotRegular(const struct stat &st)
{
    if (S_ISREG(st.st_mode))
        return {};
    return S_ISDIR(st.st_mode) ? "Is a directory" : "It is not a regular file";
}

// The file a write to path lands on: the links of the last component followed the way
// open() follows them; a dangling link gives the missing file it names.
std::filesystem::path ResolveLinks(const std::filesystem::path &path)
{
    std::filesystem::path target = path;
    for (int hops = 0;; ++hops) {
        struct stat st;
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        if (hops == kMaxLinkHops)
            throw Failure("Cannot write file", path, std::strerror(ELOOP));
        char link[PATH_MAX];
        const ssize_t n = ::readlink(target.c_str(), link, sizeof link);
        if (n < 0 || size_t(n) == sizeof link)
            throw Failure("Cannot write file", path, std::strerror(n < 0 ? errno : ENAMETOOLONG));
        const std::filesystem::path next(std::string(link, size_t(n)));
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
}

// Read-only the way an editor judges it. No write bit for anyone is read-only for everyone,
// root included, who could write it anyway. Other users are held to the bits (and ACLs) that
// apply to them, owner's, group's or others': the rename needs only the folder's permission,
// so without this check a file the user may not write would be replaced all the same.
bool IsReadOnly(const std::filesystem::path &file, const struct stat &st)
{
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return true;
    return ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

} // namespace

std::string SizeLimitText(std::uintmax_t bytes)
{
    constexpr std::uintmax_t kMiB = std::uintmax_t(1) << 20;
    constexpr std::uintmax_t kGiB = std::uintmax_t(1) << 30;
    if (bytes >= kGiB && bytes % kGiB == 0)
        return std::to_string(bytes / kGiB) + " GiB";
    if (bytes >= kMiB && bytes % kMiB == 0)
        return std::to_string(bytes / kMiB) + " MiB";
    return std::to_string(bytes) + " bytes";
}

namespace {

// The file opened for reading: a regular file (symbolic links followed) of at most maxBytes.
// A FIFO or a terminal waits for a writer forever and /dev/zero never ends: only regular
// files are read. The stat keeps such files from being opened at all; O_NONBLOCK and the
// fstat cover a name that changed between the two.
int OpenRegular(const std::filesystem::path &path, std::uintmax_t maxBytes, struct stat &st)
{
    if (::stat(path.c_str(), &st) != 0)
        throw Failure("Cannot open file", path, Reason(errno));
    if (const std::string why = NotRegular(st); !why.empty())
        throw Failure("Cannot open file", path, why);
    TFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0)
        throw Failure("Cannot open file", path, Reason(errno));
    if (::fstat(fd.Get(), &st) != 0)
        throw Failure("Cannot read file", path, Reason(errno));
    if (const std::string why = NotRegular(st); !why.empty())
        throw Failure("Cannot open file", path, why);
    if (std::uintmax_t(st.st_size) > maxBytes)
        throw TooLarge(path, maxBytes);
    return fd.Release();
}

} // namespace

std::string ReadFileBytes(const std::filesystem::path &path, std::uintmax_t maxBytes)
{
    struct stat st;
    TFd fd(OpenRegular(path, maxBytes, st));
    const auto tooLarge = [&] {
        return TooLarge(path, maxBytes);
    };

    // One byte more than the file holds, so that the read that finds its end needs no
    // larger buffer (and no copy of the whole file into it).
    std::string bytes(size_t(st.st_size) + 1, '\0');
    size_t done = 0;
    while (true) {
        if (done == bytes.size()) {
            // The file may have grown since the fstat (or, in /proc, tell no size at all).
            if (done > maxBytes)
                throw tooLarge();
            bytes.resize(size_t(std::min<std::uintmax_t>(done + 65536, maxBytes + 1)));
        }
        const ssize_t n = ::read(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw Failure("Cannot read file", path, Reason(errno));
        }
        if (n == 0)
            break;
        done += size_t(n);
    }
    if (done > maxBytes)
        throw tooLarge();
    bytes.resize(done);
    return bytes;
}

TFileReader::TFileReader(const std::filesystem::path &path, std::uintmax_t maxBytes)
    : Path(path)
{
    struct stat st;
    Fd = OpenRegular(path, maxBytes, st);
    Bytes = std::uint64_t(st.st_size);
}

TFileReader::~TFileReader()
{
    if (Fd >= 0)
        ::close(Fd);
}

TFileReader::TFileReader(TFileReader &&other) noexcept
    : Path(std::move(other.Path))
    , Fd(std::exchange(other.Fd, -1))
    , Bytes(other.Bytes)
{ }

size_t TFileReader::ReadAt(std::uint64_t offset, char *out, size_t n) const
{
    size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(Fd, out + done, n - done, off_t(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw Failure("Cannot read file", Path, Reason(errno));
        }
        if (got == 0)
            break;
        done += size_t(got);
    }
    return done;
}

namespace {

// A write that failed, with its errno; turned into the file's message once the temporary
// file is gone.
struct TWriteFailed
{
    int Error;
};

class TFdSink : public TFileSink
{
public:
    explicit TFdSink(int fd)
        : Fd(fd)
    { }
    void Append(std::string_view bytes) override
    {
        Put(End, bytes);
        End += bytes.size();
    }
    void Overwrite(std::uint64_t offset, std::string_view bytes) override
    {
        if (offset > End || bytes.size() > End - offset)
            throw TWriteFailed {EINVAL}; // only what was written may be overwritten
        Put(offset, bytes);
    }
    std::uint64_t Size() const override { return End; }

private:
    void Put(std::uint64_t offset, std::string_view bytes)
    {
        while (!bytes.empty()) {
            const ssize_t n = ::pwrite(Fd, bytes.data(), bytes.size(), off_t(offset));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                throw TWriteFailed {errno};
            }
            bytes.remove_prefix(size_t(n));
            offset += std::uint64_t(n);
        }
    }
    int Fd;
    std::uint64_t End = 0;
};

} // namespace

void WriteFileAtomic(const std::filesystem::path &path,
                     const std::string &bytes,
                     TWriteMode writeMode)
{
    WriteFileAtomic(
        path, [&](TFileSink &out) { out.Append(bytes); }, writeMode);
}

void WriteFileAtomic(const std::filesystem::path &path,
                     const std::function<void(TFileSink &)> &produce,
                     TWriteMode writeMode)
{
    const std::filesystem::path target = ResolveLinks(path);
    // What a refusal names: the file itself, or where the link the user named leads.
    const std::string subject
        = target == path ? std::string("It") : "Its target \"" + target.string() + "\"";

    struct stat st;
    const bool exists = ::lstat(target.c_str(), &st) == 0;
    const bool createNew = writeMode == TWriteMode::CreateNew;
    // A device or a folder is no file of ours whether or not it may be replaced: "already
    // exists" would send the user after --force, which cannot help.
    if (exists && !S_ISREG(st.st_mode))
        throw Failure("Cannot write file", path, subject + " is not a regular file");
    if (exists && createNew)
        throw EFileExists("\"" + path.string() + "\" already exists");
    if (exists && IsReadOnly(target, st))
        throw Failure("Cannot write file", path, subject + " is read-only");

    // A short fixed prefix: a name of its own beside a target of 255 bytes still fits.
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string temp = (folder / ".vartesk-XXXXXX").string();
    const TTempFile listed(temp);
    TFd fd(listed.Fd);
    if (fd.Get() < 0)
        throw Failure("Cannot create file",
                      path,
                      listed.Error == ENOENT ? std::string("Its folder does not exist")
                                             : Reason(listed.Error));
    auto fail = [&](const char *what, int error) {
        fd.Close();
        ::unlink(temp.c_str());
        return Failure(what, path, Reason(error));
    };
    // The replacement keeps the permission bits and, where this user may give it away (root
    // saving someone's project), the owner of the file it replaces; a new file gets the usual
    // 0666 & umask.
    mode_t mode;
    if (exists) {
        mode = st.st_mode & 07777;
        if (::fchown(fd.Get(), st.st_uid, st.st_gid) != 0) {
            // Only root may give files away; anyone else's save has always been theirs.
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd.Get(), mode) != 0)
        throw fail("Cannot create file", errno);
    try {
        TFdSink sink(fd.Get());
        produce(sink);
    } catch (const TWriteFailed &e) {
        throw fail("Cannot write file", e.Error);
    } catch (...) {
        // The producer's own failure: the temporary file goes, the previous file stays.
        fd.Close();
        ::unlink(temp.c_str());
        throw;
    }
    if (::fsync(fd.Get()) != 0)
        throw fail("Cannot write file", errno);
    if (fd.Close() != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        throw Failure("Cannot write file", path, Reason(error));
    }
    if (createNew) {
        // link() never replaces; a file system without hard links falls back to a rename
        // that is safe unless another writer creates the target in the same instant.
        int error = ::link(temp.c_str(), target.c_str()) == 0 ? 0 : errno;
        if (error == EPERM || error == ENOTSUP || error == EOPNOTSUPP) {
            struct stat again;
            if (::lstat(target.c_str(), &again) == 0)
                error = EEXIST;
            else
                error = ::rename(temp.c_str(), target.c_str()) == 0 ? 0 : errno;
        }
        ::unlink(temp.c_str());
        if (error == EEXIST)
            throw EFileExists("\"" + path.string() + "\" already exists");
        if (error != 0)
            throw Failure("Cannot create file", path, Reason(error));
        return;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        throw Failure("Cannot create file", path, Reason(error));
    }
}

bool SameFile(const std::filesystem::path &a, const std::filesystem::path &b)
{
    std::error_code ec;
    if (std::filesystem::exists(a, ec) && std::filesystem::exists(b, ec)) {
        const bool same = std::filesystem::equivalent(a, b, ec);
        if (!ec)
            return same;
    }
    const auto normal = [](const std::filesystem::path &p) {
        std::error_code failed;
        auto resolved = std::filesystem::weakly_canonical(p, failed);
        if (!failed)
            return resolved;
        auto absolute = std::filesystem::absolute(p, failed);
        return (failed ? p : absolute).lexically_normal();
    };
    return normal(a) == normal(b);
}

} // namespace vartesk
