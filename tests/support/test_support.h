// Helpers shared by the tests: scratch folders, golden files, outside programs.
#pragma once

#include <filesystem>
#include <string>

namespace vartesk::test {

// A fresh empty folder under the build tree, removed when the object goes.
class TScratchDir
{
public:
    TScratchDir();
    ~TScratchDir();
    TScratchDir(const TScratchDir &) = delete;
    TScratchDir &operator=(const TScratchDir &) = delete;
    const std::filesystem::path &Path() const { return Dir; }
    std::filesystem::path operator/(const std::string &name) const { return Dir / name; }

private:
    std::filesystem::path Dir;
};

// Compares actual bytes with the golden file at path. On a difference writes path + ".out"
// and fails with a unified diff; UPDATE_GOLDEN=1 rewrites the golden file instead.
void ExpectGolden(const std::filesystem::path &golden, const std::string &actual);

std::string ReadAll(const std::filesystem::path &path);
// "" for equal bytes, else where they part: a failure that stays one line for large files
// (gtest would print both whole and diff them).
std::string WhereBytesDiffer(const std::string &actual, const std::string &expected);
void WriteAll(const std::filesystem::path &path, const std::string &bytes);

// The page objects of a PDF ("/Type /Page", not the "/Pages" tree).
long PdfPageCount(const std::string &pdf);

// Runs a shell command with stderr joined to stdout, appends what it printed to output and
// gives its exit code (-1 when it could not run or did not exit).
int RunCommand(const std::string &command, std::string &output);

// The path as one word of a shell command.
inline std::string ShellQuoted(const std::filesystem::path &path)
{
    std::string quoted = "'";
    for (const char c : path.string())
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace vartesk::test
