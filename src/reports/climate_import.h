// Import of the climatic conditions and reliability coefficients from a climate file (.kbh)
// of the companion program: the eight climate values and the coefficient block.
#pragma once

#include "port/user_port.h"

#include <filesystem>
#include <stdexcept>
#include <string>

namespace vartesk {

class TProject;

// A climate file that stopped converting: what() is the reader's message ("'x' is not a valid
// floating point value"), Line the file's 1-based line where a value was expected (the one
// after its last when the file ends first).
class EClimateFileError : public std::runtime_error
{
public:
    EClimateFileError(const std::string &message, int line)
        : std::runtime_error(message)
        , Line(line)
    { }
    int Line;
};

// Reads the whole text first and changes the project only when every value converted: the
// eight values of its climate and its coefficient block, nothing else. A first line of exactly
// "version 3.4" marks the current layout; otherwise the older one, whose coefficient block
// has no heights and terrain (they become 15, 15 and 1). Raises EClimateFileError, the
// project unchanged. Lines may end in CR LF, LF or CR; a UTF-8 byte-order mark is skipped.
void ImportClimateText(TProject &project, std::string bytes);

// The same from a file (at most the size of kMaxClimateFileBytes); a file that cannot be read
// raises EFileError, the project unchanged.
void ImportClimateFile(TProject &project, const std::filesystem::path &path);

// The desktop's command: the import, or an error box naming the file, the line and the reason.
// True when the project took the file's values.
bool ImportClimate(TProject &project, const std::filesystem::path &path, TMessages &messages);

} // namespace vartesk
