// Whole-file reading and atomic writing.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace vartesk {

// A file that cannot be read or written; what() names the file and the system's reason.
class EFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

std::string ReadFileBytes(const std::filesystem::path &path);

// Writes under a temporary name in the target's folder and renames it over the target only
// when complete, so that a failed write leaves the previous file as it was.
void WriteFileAtomic(const std::filesystem::path &path, const std::string &bytes);

} // namespace vartesk
