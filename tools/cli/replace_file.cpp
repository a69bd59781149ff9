#include "tools/cli/replace_file.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The longest name a Linux file system takes, in bytes.
constexpr size_t NAME_MAX_BYTES = 255;
const char TEMP_SUFFIX[] = ".part-XXXXXX";

bool Fail(const std::string& path, const char* what, std::string& error, int code = errno)
{
    error = path + ": " + what;
    if (code) error += std::string(": ") + std::strerror(code);
    return false;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = ENOSPC;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// The temporary file while it exists, for the signal handlers: a name that
// is there to be removed, set before the file is made.
char g_temp[PATH_MAX + 1];
volatile sig_atomic_t g_tempLive;

extern "C" void RemoveTempAndDie(int sig)
{
    if (g_tempLive) unlink(g_temp);
    signal(sig, SIG_DFL);
    raise(sig);
}

constexpr int FATAL_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// While the temporary file exists: a stop from the terminal or a kill
// removes it first, and a file-size limit makes write() fail (EFBIG)
// instead of ending the process.
struct TempGuard {
    struct sigaction old[sizeof FATAL_SIGNALS / sizeof *FATAL_SIGNALS];
    struct sigaction oldXfsz;
    TempGuard()
    {
        struct sigaction remove = {};
        remove.sa_handler = RemoveTempAndDie;
        sigemptyset(&remove.sa_mask);
        for (size_t i = 0; i < sizeof FATAL_SIGNALS / sizeof *FATAL_SIGNALS; ++i)
            sigaction(FATAL_SIGNALS[i], &remove, &old[i]);
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        sigaction(SIGXFSZ, &ignore, &oldXfsz);
    }
    ~TempGuard()
    {
        g_tempLive = 0;
        for (size_t i = 0; i < sizeof FATAL_SIGNALS / sizeof *FATAL_SIGNALS; ++i)
            sigaction(FATAL_SIGNALS[i], &old[i], nullptr);
        sigaction(SIGXFSZ, &oldXfsz, nullptr);
    }
};

// Where the bytes go: the target itself, or the regular file a link at it
// leads to. Sets what the new file takes over: the old one's mode and
// owners, or for a new file the usual mode and no owners (-1). False for anything else (a folder, a device, a FIFO,
// a link to nothing).
bool ResolveTarget(const std::string& path, std::string& target, struct stat* old, std::string& error)
{
    struct stat& st = *old;
    if (lstat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) return Fail(path, "cannot look at it", error);
        target = path;
        mode_t mask = umask(0);
        umask(mask);
        st = {};
        st.st_mode = S_IFREG | (0666 & ~mask);
        st.st_uid = static_cast<uid_t>(-1);
        st.st_gid = static_cast<gid_t>(-1);
        return true;
    }
    target = path;
    if (S_ISLNK(st.st_mode)) {
        if (stat(path.c_str(), &st) != 0) return Fail(path, "is a link that leads to no file", error);
        if (!S_ISREG(st.st_mode)) return Fail(path, "leads to something that is not a regular file", error, 0);
        char* real = realpath(path.c_str(), nullptr);
        if (!real) return Fail(path, "cannot follow the link", error);
        target = real;
        std::free(real);
    }
    if (!S_ISREG(st.st_mode)) return Fail(path, "is not a regular file; give the name of a file to write", error, 0);
    return true;
}

// target's folder and a name beside it that fits NAME_MAX_BYTES: the
// target's name, cut at a character boundary if need be, and the suffix.
std::string TempPattern(const std::string& target)
{
    size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    size_t room = NAME_MAX_BYTES - (sizeof TEMP_SUFFIX - 1);
    if (name.size() > room) {
        size_t cut = room;
        while (cut && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.resize(cut);
    }
    return folder + name + TEMP_SUFFIX;
}

}  // namespace

bool ReplaceFile(const std::string& path, std::string_view bytes, std::string& error)
{
    std::string target;
    struct stat old;
    if (!ResolveTarget(path, target, &old, error)) return false;
    std::string pattern = TempPattern(target);
    if (pattern.size() > PATH_MAX) return Fail(path, "cannot create a file there", error, ENAMETOOLONG);

    TempGuard guard;
    std::memcpy(g_temp, pattern.c_str(), pattern.size() + 1);
    // The handlers see a name only once mkstemp has filled it in; until the
    // file is made it names nothing of anyone's.
    sigset_t all, before;
    sigfillset(&all);
    sigprocmask(SIG_BLOCK, &all, &before);
    int fd = mkstemp(g_temp);
    int made = errno;
    g_tempLive = fd >= 0;
    sigprocmask(SIG_SETMASK, &before, nullptr);
    if (fd < 0) return Fail(path, "cannot create a file there", error, made);

    // Someone else's file stays theirs where we may say so (as root); else
    // it becomes ours, its mode kept in any case.
    if (old.st_uid != static_cast<uid_t>(-1)) {
        int given = fchown(fd, old.st_uid, old.st_gid);
        (void)given;
    }
    bool ok = fchmod(fd, old.st_mode & 07777) == 0 && WriteAll(fd, bytes) && fsync(fd) == 0;
    const char* what = "cannot write";
    int saved = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    sigprocmask(SIG_BLOCK, &all, &before);
    if (ok && rename(g_temp, target.c_str()) != 0) {
        ok = false;
        saved = errno;
        what = "cannot put the new file in place";
    }
    if (!ok) unlink(g_temp);
    g_tempLive = 0;
    sigprocmask(SIG_SETMASK, &before, nullptr);
    return ok || Fail(path, what, error, saved);
}
