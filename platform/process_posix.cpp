#include "platform/process_posix.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/file_bytes.h"

namespace {

// pkexec's own statuses: the dialog was dismissed, or authorisation failed.
constexpr int kPkexecDismissed = 126;
constexpr int kPkexecNotAuthorized = 127;

bool IsExecutableFile(const std::string& path)
{
    return !path.empty() && access(path.c_str(), X_OK) == 0 && !IsDirectory(path);
}

std::string LastLine(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    size_t newline = text.find_last_of('\n');
    return newline == std::string::npos ? text : text.substr(newline + 1);
}

std::string StatusReason(int status, const std::string& errors)
{
    std::string detail = LastLine(errors);
    std::string why;
    if (WIFSIGNALED(status))
        why = "pkexec ended by signal " + std::to_string(WTERMSIG(status));
    else if (WEXITSTATUS(status) == kPkexecDismissed)
        why = "the request for the administrator's password was dismissed";
    else if (WEXITSTATUS(status) == kPkexecNotAuthorized)
        why = "not authorised, or pkexec could not run (status 127)";
    else
        why = "the helper ended with status " + std::to_string(WEXITSTATUS(status));
    return detail.empty() ? why : why + " (" + detail + ")";
}

} // namespace

std::string ExecutableDir()
{
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    std::string exe(path, static_cast<size_t>(n));
    return exe.substr(0, exe.find_last_of('/') + 1);
}

std::string InstalledFile(const std::string& name, const std::string& relativePath)
{
    std::string dir = ExecutableDir();
    if (dir.empty())
        return {};
    for (const std::string& candidate : {dir + name, dir + relativePath}) {
        char resolved[PATH_MAX];
        if (access(candidate.c_str(), F_OK) == 0 && realpath(candidate.c_str(), resolved))
            return resolved;
    }
    return {};
}

std::string FindOnPath(const std::string& name, const char* pathList)
{
    std::string list = pathList ? pathList : "";
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(':', start);
        if (end == std::string::npos)
            end = list.size();
        std::string dir = list.substr(start, end - start);
        // An empty entry would mean the current folder: never a place to find pkexec.
        if (!dir.empty() && dir[0] == '/' && IsExecutableFile(dir + "/" + name))
            return dir + "/" + name;
        start = end + 1;
    }
    return {};
}

bool ReadThroughHelper(const std::string& pkexec, const std::string& helper, std::vector<uint8_t>& out,
                       std::string& reason)
{
    out.clear();
    int outPipe[2], errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0)
        return reason = std::string("pipe: ") + std::strerror(errno), false;
    if (pipe2(errPipe, O_CLOEXEC) != 0) {
        close(outPipe[0]);
        close(outPipe[1]);
        return reason = std::string("pipe: ") + std::strerror(errno), false;
    }
    pid_t child = fork();
    if (child == 0) {
        dup2(outPipe[1], STDOUT_FILENO);
        dup2(errPipe[1], STDERR_FILENO);
        execl(pkexec.c_str(), pkexec.c_str(), helper.c_str(), static_cast<char*>(nullptr));
        _exit(kPkexecNotAuthorized);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    if (child < 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        return reason = std::string("fork: ") + std::strerror(errno), false;
    }

    std::string errors;
    bool tooLarge = false;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    int streams = 2;
    while (streams > 0) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (pollfd& fd : fds) {
            if (fd.fd < 0 || fd.revents == 0)
                continue;
            uint8_t buffer[4096];
            ssize_t n = read(fd.fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                close(fd.fd);
                fd.fd = -1;
                --streams;
            } else if (&fd == &fds[0]) {
                out.insert(out.end(), buffer, buffer + n);
                if (out.size() > kMaxTableFileSize && !tooLarge) {
                    tooLarge = true;
                    kill(child, SIGTERM);
                }
            } else if (errors.size() < 4096) {
                errors.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(n));
            }
        }
    }
    for (pollfd& fd : fds)
        if (fd.fd >= 0)
            close(fd.fd);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (tooLarge) {
        out.clear();
        return reason = helper + ": more output than any table", false;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        out.clear();
        return reason = StatusReason(status, errors), false;
    }
    return true;
}
