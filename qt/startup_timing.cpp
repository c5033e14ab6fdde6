#include "qt/startup_timing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <unistd.h>

#include "qt/detail_window.h"
#include "qt/main_window.h"

namespace {

// Every moment is in milliseconds of CLOCK_BOOTTIME, the clock that the process's start
// time in /proc/self/stat counts.
double Now()
{
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

double g_mainEntered = -1;
double g_qtStarted = -1;

// When the kernel started this process (before lumetra's exec, when started through
// it). /proc/self/stat counts clock ticks since boot (10 ms each on most kernels), so
// figures from it are that coarse; those measured in-process are not.
double ProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    size_t close = line.rfind(')'); // the command name may hold blanks
    if (close == std::string::npos)
        return -1;
    // Field 22 (starttime) is the 20th after the name's closing parenthesis.
    std::string rest = line.substr(close + 2);
    unsigned long long ticks = 0;
    size_t at = 0;
    for (int field = 3; field < 22 && at != std::string::npos; ++field)
        at = rest.find(' ', at) + 1;
    if (at == 0 || std::sscanf(rest.c_str() + at, "%llu", &ticks) != 1)
        return -1;
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Watches for the first paint of a window's contents, and then runs the next step
// once that paint is done.
class Probe : public QObject {
public:
    explicit Probe(CMainWindow& window) : QObject(&window), m_window(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        if (m_stage == Stage::Tree && watched == m_window.Tree()->viewport()) {
            m_stage = Stage::Clicking;
            QTimer::singleShot(0, this, [this] { TreeShown(); });
        } else if (m_stage == Stage::Detail) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (auto* detail = widget ? qobject_cast<CDetailWindow*>(widget->window()) : nullptr) {
                m_stage = Stage::Done;
                QTimer::singleShot(0, this, [this, detail] { DetailShown(detail); });
            }
        }
        return false;
    }

private:
    enum class Stage { Tree, Clicking, Detail, Done };

    void TreeShown()
    {
        QTreeWidget* tree = m_window.Tree();
        double shown = Now();
        double started = ProcessStart();
        auto sinceStart = [started](double moment) { return started < 0 ? -1.0 : moment - started; };
        // The dynamic loading of Qt and its libraries, Qt's own start, then ours: the
        // table opened, the tree built and first painted.
        std::fprintf(stderr,
                     "lumetra timing: process start to main() %.0f ms, main() to QApplication %.1f ms, "
                     "QApplication to the tree shown %.1f ms\n",
                     sinceStart(g_mainEntered), g_qtStarted - g_mainEntered, shown - g_qtStarted);
        std::fprintf(stderr, "lumetra timing: process start to the tree filled and shown: %.0f ms (%zu structures)\n",
                     sinceStart(shown), m_window.Logic().Reader().IndexedCount());
        QTreeWidgetItem* root = tree->topLevelItem(0);
        QTreeWidgetItem* leaf = root && root->childCount() ? root->child(0) : nullptr;
        if (leaf && leaf->childCount())
            leaf = leaf->child(0);
        if (leaf == nullptr) {
            m_window.reject();
            return;
        }
        tree->setCurrentItem(leaf);
        QPoint at = tree->visualItemRect(leaf).center();
        QMouseEvent click(QEvent::MouseButtonDblClick, at, tree->viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        m_stage = Stage::Detail;
        m_clock.start();
        // The detail window runs modally inside this call and ends in DetailShown.
        QCoreApplication::sendEvent(tree->viewport(), &click);
        m_window.reject();
    }

    void DetailShown(CDetailWindow* detail)
    {
        std::fprintf(stderr, "lumetra timing: double-click to the detail window shown: %.1f ms\n",
                     m_clock.nsecsElapsed() / 1e6);
        detail->reject();
    }

    CMainWindow& m_window;
    Stage m_stage = Stage::Tree;
    QElapsedTimer m_clock;
};

} // namespace

void StartupTiming::MarkMainEntered()
{
    g_mainEntered = Now();
}

void StartupTiming::MarkQtStarted()
{
    g_qtStarted = Now();
}

void StartupTiming::StartIfAsked(CMainWindow& window)
{
    if (qEnvironmentVariable("LUMETRA_TIMING") != QLatin1String("1"))
        return;
    qApp->installEventFilter(new Probe(window));
}
