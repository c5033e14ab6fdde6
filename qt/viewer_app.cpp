#include "qt/viewer_app.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "qt/main_window.h"
#include "qt/startup_timing.h"
#include "qt/window_tour.h"
#include "shell/main_dlg.h"
#include "shell/table_source.h"
#include "shell/window_handover.h"

int CViewerApp::InitInstance()
{
    CMainWindow window(std::move(m_reader), m_appTitle);
    window.Logic().m_advice = m_advice;
    WindowTour::StartIfAsked(window);
    StartupTiming::StartIfAsked(window);
    if (!window.Initialise())
        return 1; // no table: the user has been told, and the window never shows
    window.exec();
    return 0;
}

namespace {

QtMessageHandler g_qtHandler = nullptr;

// Qt aborts when it cannot reach the display (DISPLAY set to a dead server, say);
// a terminal user is better served by the reason and a way out.
void EndOnFatal(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        if (g_qtHandler)
            g_qtHandler(type, context, message);
        return;
    }
    std::fprintf(stderr, "lumetra: %s\nUse --text to see the table as text.\n", qPrintable(message));
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

// lumetra-gui's side of the windows: they run in this process.
int RunWindows(int argc, char** argv, const std::string& dumpPath)
{
    StartupTiming::MarkMainEntered();
    if (!HasDisplay())
        return CannotShowWindows(kNoDisplay);
    // Through lumetra's exec argv[0] is still what the user typed, so the title stays
    // "lumetra"; /proc/self/exe would name lumetra-gui.
    char* name = argc > 0 && argv[0] && *argv[0] ? argv[0] : const_cast<char*>(kWindowProgramName);
    const std::string title = ApplicationTitle(name);
    g_qtHandler = qInstallMessageHandler(EndOnFatal);
    // Every argument has been read; Qt gets none of them.
    int qtArgc = 1;
    char* qtArgv[] = {name, nullptr};
    QApplication application(qtArgc, qtArgv);
    StartupTiming::MarkQtStarted();
    QApplication::setApplicationName(QString::fromLatin1(title.c_str()));
    // This machine's table may come through pkexec: the desktop asks for the password
    // before any window shows.
    OpenedTable table = OpenChosenTable({dumpPath, true});
    CViewerApp app(std::move(table.reader), title, table.advice);
    return app.InitInstance();
}
