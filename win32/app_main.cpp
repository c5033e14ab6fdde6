// lumetra.exe: the windows. The views for a console are lumetra-cli.exe's.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "shell/main_dlg.h"
#include "shell/options.h"
#include "shell/table_source.h"
#include "win32/ctl3d.h"
#include "win32/main_window.h"

namespace {

std::string ExecutablePath()
{
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, length < sizeof path ? length : 0);
}

// A program without a console answers its command line in a box.
int Tell(const std::string& text, const std::string& title, UINT icon, int status)
{
    MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_OK | icon);
    return status;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const std::string title = ApplicationTitle(ExecutablePath());
    CommandLine line = ParseCommandLine(__argc, __argv);
    switch (line.action) {
    case Action::Help:
        return Tell(Usage(), title, MB_ICONINFORMATION, 0);
    case Action::Version:
        return Tell(VersionLine(), title, MB_ICONINFORMATION, 0);
    case Action::UsageError:
        return Tell(line.error + "\n" + kTryHelp, title, MB_ICONEXCLAMATION, kUsageStatus);
    case Action::Run:
        break;
    }
    if (line.view != View::Windows || !line.dumpBin.empty())
        return Tell("The views and --dump-bin are lumetra-cli.exe's: lumetra.exe shows the windows.",
                    title, MB_ICONEXCLAMATION, kUsageStatus);

    Ctl3dDrawing drawing(instance);
    InitCommonControls();
    OpenedTable table = OpenChosenTable({line.dumpPath});
    CMainWindow window(std::move(table.reader), title);
    window.Logic().m_advice = table.advice;
    INT_PTR result = window.DoModal();
    // -1: the window could not be made. No table: the user has been told, and the program ends.
    return result == -1 || (result == kIdCancel && !window.Logic().Reader().IsOpen()) ? 1 : 0;
}
