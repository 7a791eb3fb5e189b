// Scratch folders and golden-file comparison.
#include "test_support.h"

#include <algorithm>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace vartesk::test {

TScratchDir::TScratchDir()
{
    static std::atomic<int> counter {0};
    const char *tmp = std::getenv("TMPDIR");
    std::filesystem::path base = tmp && *tmp ? tmp : "/tmp";
    Dir = base / ("vartesk-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
}

TScratchDir::~TScratchDir()
{
    std::error_code ec;
    std::filesystem::permissions(
        Dir, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(Dir, ec);
}

std::string WhereBytesDiffer(const std::string &actual, const std::string &expected)
{
    if (actual == expected)
        return "";
    const auto at = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    return "bytes differ at offset " + std::to_string(at.first - actual.begin()) + " (sizes "
        + std::to_string(actual.size()) + " and " + std::to_string(expected.size()) + ")";
}

std::string ReadAll(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::filesystem::path &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void ExpectGolden(const std::filesystem::path &golden, const std::string &actual)
{
    const char *update = std::getenv("UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        WriteAll(golden, actual);
        return;
    }
    const std::string expected = ReadAll(golden);
    if (expected == actual) {
        std::filesystem::remove(golden.string() + ".out");
        return;
    }
    const std::string out = golden.string() + ".out";
    WriteAll(out, actual);
    // A unified diff shows every changed line at once, with its context.
    std::string diff;
    RunCommand("diff -u --label expected --label actual '" + golden.string() + "' '" + out + "'",
               diff);
    ADD_FAILURE() << "golden " << golden << " differs (actual written to " << out << "):\n" << diff;
}

int RunCommand(const std::string &command, std::string &output)
{
    FILE *p = ::popen((command + " 2>&1").c_str(), "r");
    if (!p)
        return -1;
    char buf[4096];
    while (std::fgets(buf, sizeof buf, p))
        output += buf;
    const int status = ::pclose(p);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Scanned by hand: std::regex draws GCC 12's -Wmaybe-uninitialized from its own headers in an
// optimised build.
long PdfPageCount(const std::string &pdf)
{
    long pages = 0;
    for (size_t at = pdf.find("/Type"); at != std::string::npos; at = pdf.find("/Type", at + 1)) {
        size_t i = at + 5;
        while (i < pdf.size() && (pdf[i] == ' ' || pdf[i] == '\n' || pdf[i] == '\r'))
            ++i;
        if (pdf.compare(i, 5, "/Page") == 0 && (i + 5 >= pdf.size() || pdf[i + 5] != 's'))
            ++pages;
    }
    return pages;
}

} // namespace vartesk::test
