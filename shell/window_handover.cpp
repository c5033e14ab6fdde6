// lumetra's side of the windows: it execs the window program, which keeps this
// process, its arguments and so its exit status.
#include "shell/window_handover.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "platform/process_posix.h"

int RunWindows(int, char** argv, const std::string&)
{
    if (!HasDisplay())
        return CannotShowWindows(kNoDisplay);
    // Beside this program in the build tree and once installed (both in bin/).
    std::string dir = ExecutableDir();
    if (dir.empty())
        return CannotShowWindows(std::string("cannot find the window program ") + kWindowProgramName +
                                 ": /proc/self/exe is unreadable");
    std::string program = dir + kWindowProgramName;
    // argv[0] stays as typed: the window program takes its title from it.
    execv(program.c_str(), argv);
    return CannotShowWindows("cannot run the window program " + program + ": " + std::strerror(errno));
}
