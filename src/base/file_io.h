// Whole-file reading and atomic writing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace vartesk {

// A file that cannot be read or written; what() names the file and the system's reason.
class EFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
    EFileError(const std::string &message, std::string reason)
        : std::runtime_error(message)
        , Why(std::move(reason))
    { }
    // The reason alone ("No space left on device"), for a message that names the file its own
    // way; empty when the error has none apart from what().
    const std::string &Reason() const { return Why; }

private:
    std::string Why;
};

// A target that must not exist yet, and does.
class EFileExists : public EFileError
{
public:
    using EFileError::EFileError;
};

enum class TWriteMode {
    Replace, // the usual save: the previous file, if any, is replaced
    CreateNew, // never replaces: a target that exists (or appears meanwhile) is EFileExists
};

// The whole content of a regular file (symbolic links followed) of at most maxBytes bytes
// (the limits are in base/file_limits.h). A FIFO, a device or a folder is refused without
// waiting on it, and so is a larger file, with a message naming the limit.
std::string ReadFileBytes(const std::filesystem::path &path, std::uintmax_t maxBytes);

// A file opened for reading piece by piece, with the checks and messages of ReadFileBytes,
// for a reader that need not hold a large file whole. Size is the file's size when opened.
class TFileReader
{
public:
    TFileReader(const std::filesystem::path &path, std::uintmax_t maxBytes);
    ~TFileReader();
    TFileReader(TFileReader &&other) noexcept;
    TFileReader(const TFileReader &) = delete;
    TFileReader &operator=(const TFileReader &) = delete;
    TFileReader &operator=(TFileReader &&) = delete;

    std::uint64_t Size() const { return Bytes; }
    // Up to n bytes at offset into out, fewer only where the file ends; EFileError when the
    // system fails the read.
    size_t ReadAt(std::uint64_t offset, char *out, size_t n) const;

private:
    std::filesystem::path Path;
    int Fd = -1;
    std::uint64_t Bytes = 0;
};

// Writes under a temporary name in the target's folder and renames it over the target only
// when complete, so that a failed write leaves the previous file as it was. A symbolic link is
// written through: the file it leads to is replaced (or created, when the link dangles) and
// the link stays. The replacement keeps the previous file's permission bits. Refused: a target
// that exists and is not a regular file, and a read-only one (no write bit for anyone, or none
// for this user). With CreateNew the complete file is linked into place, so that of two
// writers only one succeeds and an existing file is never touched. A process ended by SIGINT
// or SIGTERM during the write leaves no temporary file behind (unless the program set its own
// handler for the signal, or ignores it).
void WriteFileAtomic(const std::filesystem::path &path,
                     const std::string &bytes,
                     TWriteMode mode = TWriteMode::Replace);

// Where a file's content goes when it is written piece by piece: appended in order, and
// bytes already written overwritten in place (sizes and positions a format fills in once the
// rest is known). A write that fails throws; the caller's WriteFileAtomic says why.
class TFileSink
{
public:
    virtual ~TFileSink() = default;
    virtual void Append(std::string_view bytes) = 0;
    virtual void Overwrite(std::uint64_t offset, std::string_view bytes) = 0;
    virtual std::uint64_t Size() const = 0;
};

// The same for a file that `produce` writes into the sink, so that a large file is never
// held whole in memory. An exception of produce ends the write as a failed one does: the
// previous file stays, and the exception goes on to the caller.
void WriteFileAtomic(const std::filesystem::path &path,
                     const std::function<void(TFileSink &)> &produce,
                     TWriteMode mode = TWriteMode::Replace);

// "64 MiB", "1 GiB", "100 bytes": a size limit as messages and the README name it.
std::string SizeLimitText(std::uintmax_t bytes);

// Whether two paths name one file: by identity when both exist (links and other spellings of
// one file included), else by their absolute, normalised forms.
bool SameFile(const std::filesystem::path &a, const std::filesystem::path &b);

} // namespace vartesk
