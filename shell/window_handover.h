#pragma once
// Without a view option the program shows the windows. lumetra is a static program
// without Qt, so that the views start at once and a server can go without Qt: it hands
// the windows over to the Qt program lumetra-gui beside it. lumetra-gui runs the same
// main and shows the windows itself. Each program defines RunWindows its own way.
#include <cstdio>
#include <cstdlib>
#include <string>

constexpr const char* kWindowProgramName = "lumetra-gui";

// Shows the windows on a saved table (empty path: this machine's) and returns the
// exit status; when they cannot show, says why on stderr and returns 1. argv is the
// program's own, unchanged.
int RunWindows(int argc, char** argv, const std::string& dumpPath);

// Qt would abort without a display; a plain message serves a terminal better.
inline bool HasDisplay()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

inline int CannotShowWindows(const std::string& why)
{
    std::fprintf(stderr, "lumetra: %s\nUse --text to see the table as text.\n", why.c_str());
    return 1;
}

constexpr const char* kNoDisplay = "no display to show the windows on (DISPLAY and WAYLAND_DISPLAY are not set)";
