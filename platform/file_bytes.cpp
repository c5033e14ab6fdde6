#include "platform/file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
int CreateExclusive(const char* path)
{
    return _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
long WriteSome(int fd, const uint8_t* data, size_t size)
{
    return _write(fd, data, static_cast<unsigned>(size < 0x40000000u ? size : 0x40000000u));
}
int CloseFile(int fd)
{
    return _close(fd);
}
int StandardOutput()
{
    _setmode(1, _O_BINARY);
    return 1;
}
#else
int CreateExclusive(const char* path)
{
    int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    // The umask may take bits away; the mode of a saved table is 0644 whatever it is.
    if (fd >= 0)
        fchmod(fd, 0644);
    return fd;
}
long WriteSome(int fd, const uint8_t* data, size_t size)
{
    return static_cast<long>(write(fd, data, size));
}
int CloseFile(int fd)
{
    return close(fd);
}
int StandardOutput()
{
    return STDOUT_FILENO;
}
#endif

#ifdef _WIN32
// Windows 95's runtime cannot rename over a file, so the old one steps aside first and
// comes back when the new one cannot take its place.
bool ReplaceFile(const std::string& from, const std::string& to)
{
    if (std::rename(from.c_str(), to.c_str()) == 0)
        return true;
    std::string aside = from + ".old";
    if (std::rename(to.c_str(), aside.c_str()) != 0)
        return false;
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        int err = errno;
        std::rename(aside.c_str(), to.c_str());
        errno = err;
        return false;
    }
    std::remove(aside.c_str());
    return true;
}
int SyncFile(int)
{
    return 0;
}
#else
bool ReplaceFile(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}
int SyncFile(int fd)
{
    return fsync(fd);
}
#endif

bool WriteAll(int fd, const std::vector<uint8_t>& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        long n = WriteSome(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& out, std::string& reason)
{
    out.clear();
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        reason = path + ": " + std::strerror(errno);
        return false;
    }
    if ((st.st_mode & S_IFMT) != S_IFREG) {
        reason = path + ((st.st_mode & S_IFMT) == S_IFDIR ? ": Is a directory" : ": not a regular file");
        return false;
    }
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        reason = path + ": " + std::strerror(errno);
        return false;
    }
    // sysfs files report a size of 4096 whatever they hold, so read until EOF.
    uint8_t buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0 && out.size() <= kMaxTableFileSize)
        out.insert(out.end(), buffer, buffer + n);
    bool failed = std::ferror(f) != 0;
    bool tooLarge = out.size() > kMaxTableFileSize;
    int err = errno;
    std::fclose(f);
    if (failed) {
        reason = path + ": " + std::strerror(err);
        return false;
    }
    if (tooLarge) {
        out.clear();
        reason = path + ": larger than " + std::to_string(kMaxTableFileSize >> 20) + " MiB, not a saved table";
        return false;
    }
    return true;
}

bool IsDirectory(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && (st.st_mode & S_IFMT) == S_IFDIR;
}

bool WriteNewFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& reason)
{
    std::fflush(stdout); // nothing buffered may land after the table
    bool toStdout = path == "-";
    int fd = toStdout ? StandardOutput() : CreateExclusive(path.c_str());
    if (fd < 0) {
        reason = path + ": " + std::strerror(errno);
        return false;
    }
    bool written = WriteAll(fd, bytes);
    int err = errno;
    if (!toStdout && CloseFile(fd) != 0 && written) {
        written = false;
        err = errno;
    }
    if (!written && !toStdout)
        std::remove(path.c_str()); // our own half-written file, not a table anyone can read
    if (!written)
        reason = (toStdout ? std::string("standard output") : path) + ": " + std::strerror(err);
    return written;
}

bool SaveFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, std::string& reason)
{
    // A name of our own beside the target, on the same file system so that the rename
    // cannot copy; one left by a crashed run is passed over, never reused.
    std::string temporary;
    int fd = -1;
    for (int n = 0; fd < 0 && n < 100; ++n) {
        temporary = path + ".tmp" + std::to_string(n);
        fd = CreateExclusive(temporary.c_str());
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        reason = path + ": " + std::strerror(errno);
        return false;
    }
    bool written = WriteAll(fd, bytes) && SyncFile(fd) == 0;
    int err = errno;
    if (CloseFile(fd) != 0 && written) {
        written = false;
        err = errno;
    }
    if (written && !ReplaceFile(temporary, path)) {
        written = false;
        err = errno;
    }
    if (!written) {
        std::remove(temporary.c_str());
        reason = path + ": " + std::strerror(err);
    }
    return written;
}
