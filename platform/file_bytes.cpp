#include "platform/file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& out, std::string& reason)
{
    out.clear();
    if (IsDirectory(path)) {
        reason = path + ": Is a directory";
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
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        out.insert(out.end(), buffer, buffer + n);
    bool failed = std::ferror(f) != 0;
    int err = errno;
    std::fclose(f);
    if (failed) {
        reason = path + ": " + std::strerror(err);
        return false;
    }
    return true;
}

bool IsDirectory(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && (st.st_mode & S_IFMT) == S_IFDIR;
}
