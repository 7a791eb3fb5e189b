// Opening and saving .vsk project files.
#pragma once

#include "base/number_text.h"

#include <filesystem>
#include <stdexcept>
#include <string>

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
// EFileError; a line that does not convert EProjectFileError. After a failure the project
// holds what was read up to it.
void LoadProjectFile(const std::filesystem::path &path, TProject &project);

// Writes the current layout atomically: a failed save leaves the previous file untouched.
void SaveProjectFile(const std::filesystem::path &path, TProject &project);

// The bytes of the file SaveProjectFile writes.
std::string ProjectFileBytes(TProject &project);

} // namespace vartesk
