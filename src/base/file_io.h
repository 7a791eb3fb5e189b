// Whole-file reading and atomic writing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
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

// "64 MiB", "1 GiB", "100 bytes": a size limit as messages and the README name it.
std::string SizeLimitText(std::uintmax_t bytes);

// Whether two paths name one file: by identity when both exist (links and other spellings of
// one file included), else by their absolute, normalised forms.
bool SameFile(const std::filesystem::path &a, const std::filesystem::path &b);

} // namespace vartesk
