// File reading and atomic replacement (POSIX).
#include "base/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vartesk {

namespace {

std::string Reason(int error)
{
    return error == ENOENT ? std::string("File not found") : std::string(std::strerror(error));
}

} // namespace

std::string ReadFileBytes(const std::filesystem::path &path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw EFileError("Cannot open file \"" + path.string() + "\". Is a directory");
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f)
        throw EFileError("Cannot open file \"" + path.string() + "\". " + Reason(errno));
    std::string bytes;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.append(buf, n);
    const bool failed = std::ferror(f) != 0;
    const int error = errno;
    std::fclose(f);
    if (failed)
        throw EFileError("Cannot read file \"" + path.string() + "\". " + Reason(error));
    return bytes;
}

void WriteFileAtomic(const std::filesystem::path &path, const std::string &bytes)
{
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::string temp = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        throw EFileError("Cannot create file \"" + path.string() + "\". " + Reason(errno));
    auto fail = [&](const char *what, int error) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw EFileError(std::string(what) + " \"" + path.string() + "\". " + Reason(error));
    };
    // Keep the permissions of the file being replaced; a new file gets the usual 0666 & umask.
    struct stat st;
    mode_t mode;
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0)
        fail("Cannot create file", errno);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail("Cannot write file", errno);
        }
        done += size_t(n);
    }
    if (::fsync(fd) != 0)
        fail("Cannot write file", errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        throw EFileError("Cannot write file \"" + path.string() + "\". " + Reason(error));
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        throw EFileError("Cannot create file \"" + path.string() + "\". " + Reason(error));
    }
}

} // namespace vartesk
