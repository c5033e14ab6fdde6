#include "qt/viewer_app.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <type_traits>

#include "qt/main_window.h"
#include "shell/table_source.h"
#include "shell/window_module.h"
#include "qt/startup_timing.h"
#include "qt/window_tour.h"

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

extern "C" __attribute__((visibility("default"))) int LumetraRunWindows(int* argc, char** argv,
                                                                        const char* dumpPath,
                                                                        const char* appTitle)
{
    g_qtHandler = qInstallMessageHandler(EndOnFatal);
    QApplication application(*argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(appTitle));
    // This machine's table may come through pkexec: the desktop asks for the password
    // before any window shows.
    OpenedTable table = OpenChosenTable({dumpPath ? dumpPath : "", true});
    CViewerApp app(std::move(table.reader), appTitle, table.advice);
    return app.InitInstance();
}
static_assert(std::is_same_v<decltype(LumetraRunWindows), WindowModuleEntry>, "lumetra calls the entry by this type");
