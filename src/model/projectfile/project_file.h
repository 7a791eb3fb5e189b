// Opening and saving .vsk project files.
#pragma once

#include "base/file_io.h"
#include "base/number_text.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace vartesk {

class TProject;

// A project file that stopped loading. what() is the reader's own message (the text the
// user sees in the error box); Line tells where, for diagnostics.
class EProjectFileError : public std::runtime_error
{
public:
    EProjectFileError(const std::string &message, int line)
        : std::runtime_error(message)
        , Line(line)
    { }
    int Line;
};

// Clears the project and reads the file into it. A file that cannot be opened raises
// EFileError; a line that does not convert, a Unicode file or an unknown version
// EProjectFileError. After a failure the project holds what was read up to it. Gives the
// warnings of a file that loaded but may not read as its author meant (one line each,
// without the file name).
std::vector<std::string> LoadProjectFile(const std::filesystem::path &path, TProject &project);
// The same over the bytes of a file already read.
std::vector<std::string> LoadProjectBytes(std::string bytes, TProject &project);

// Writes the current layout atomically: a failed save leaves the previous file untouched.
void SaveProjectFile(const std::filesystem::path &path,
                     TProject &project,
                     TWriteMode mode = TWriteMode::Replace);

// The bytes of the file SaveProjectFile writes.
std::string ProjectFileBytes(TProject &project);

} // namespace vartesk
