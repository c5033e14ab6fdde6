#include "shell/viewer_app.h"

#include <QApplication>
#include <type_traits>

#include "shell/main_window.h"
#include "shell/window_module.h"
#include "shell/window_tour.h"

int CViewerApp::InitInstance()
{
    MainWindow window(std::move(m_reader), m_appTitle);
    WindowTour::StartIfAsked(window);
    if (!window.Initialise())
        return 1; // no table: the user has been told, and the window never shows
    window.exec();
    return 0;
}

extern "C" __attribute__((visibility("default"))) int LumetraRunWindows(int* argc, char** argv,
                                                                        const char* dumpPath,
                                                                        const char* appTitle)
{
    QApplication application(*argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(appTitle));
    auto reader = dumpPath ? std::make_unique<CTableReader>(MakeSavedTableLocator(dumpPath))
                           : std::make_unique<CTableReader>();
    CViewerApp app(std::move(reader), appTitle);
    return app.InitInstance();
}
static_assert(std::is_same_v<decltype(LumetraRunWindows), WindowModuleEntry>, "lumetra calls the entry by this type");
