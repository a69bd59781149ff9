#include "tools/cli/replace_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

bool Fail(const std::string& path, const char* what, std::string& error)
{
    error = path + ": " + what + ": " + std::strerror(errno);
    return false;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

bool ReplaceFile(const std::string& path, std::string_view bytes, std::string& error)
{
    std::string pattern = path + ".part-XXXXXX";
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    int fd = mkstemp(temp.data());
    if (fd < 0) return Fail(path, "cannot create a file there", error);
    // mkstemp makes the file private; a finished book gets the usual mode.
    mode_t mask = umask(0);
    umask(mask);
    bool ok = fchmod(fd, 0666 & ~mask) == 0 && WriteAll(fd, bytes) && fsync(fd) == 0;
    const char* what = "cannot write";
    if (close(fd) != 0) ok = false;
    if (ok && rename(temp.data(), path.c_str()) != 0) {
        ok = false;
        what = "cannot put the new file in place";
    }
    if (ok) return true;
    int saved = errno;
    unlink(temp.data());
    errno = saved;
    return Fail(path, what, error);
}
