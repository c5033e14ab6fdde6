#include "platform/file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

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
