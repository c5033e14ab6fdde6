#include "shell/window_module.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>

#include "platform/process_posix.h"
#include "shell/main_dlg.h"

#ifndef LUMETRA_MODULE_RELPATH
#define LUMETRA_MODULE_RELPATH "../lib/lumetra/liblumetra_gui.so"
#endif

namespace {

std::string ExecutablePath(const char* argv0)
{
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return argv0 ? argv0 : "lumetra";
    return std::string(path, static_cast<size_t>(n));
}

bool HasDisplay()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

int CannotShowWindows(const std::string& why)
{
    std::fprintf(stderr, "lumetra: %s\nUse --text to see the table as text.\n", why.c_str());
    return 1;
}

} // namespace

int RunWindowModule(int* argc, char** argv, const std::string& dumpPath)
{
    // Qt would abort without a display; a plain message serves a terminal better.
    if (!HasDisplay())
        return CannotShowWindows("no display to show the windows on (DISPLAY and WAYLAND_DISPLAY are not set)");

    std::string executable = ExecutablePath(argv[0]);
    // Beside the executable in the build tree; in lib/<multiarch>/lumetra/ once installed.
    std::string module = InstalledFile(kWindowModuleName, LUMETRA_MODULE_RELPATH);
    if (module.empty())
        module = executable.substr(0, executable.find_last_of('/') + 1) + kWindowModuleName;
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        return CannotShowWindows("the window module is missing or cannot be loaded (" + std::string(dlerror()) + ")");
    auto* entry = reinterpret_cast<WindowModuleEntry*>(dlsym(handle, kWindowModuleEntry));
    if (entry == nullptr)
        return CannotShowWindows(module + " has no entry " + kWindowModuleEntry);
    // The module stays loaded until exit: Qt's objects die with the process.
    return entry(argc, argv, dumpPath.empty() ? nullptr : dumpPath.c_str(),
                 ApplicationTitle(executable).c_str());
}
