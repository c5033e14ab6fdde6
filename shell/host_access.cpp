// This machine's ways to its table on a POSIX host, for the one choice of table source.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/process_posix.h"
#include "reader/locate.h"
#include "shell/table_source.h"

#ifndef LUMETRA_HELPER_RELPATH
#define LUMETRA_HELPER_RELPATH "../libexec/lumetra-read-table"
#endif

namespace {
constexpr const char* kHelperName = "lumetra-read-table";
} // namespace

HostAccess RealHostAccess()
{
    HostAccess host;
    host.sources = [] { return MakeHostLocator(0); };
    host.files = {std::string(kSysfsTables) + "/DMI", "/dev/mem"};
    host.openError = [](const std::string& path) {
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return errno;
        close(fd);
        return 0;
    };
    host.pkexec = FindOnPath("pkexec", std::getenv("PATH"));
    host.helper = InstalledFile(kHelperName, LUMETRA_HELPER_RELPATH);
    return host;
}
