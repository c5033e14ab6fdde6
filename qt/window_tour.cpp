#include "qt/window_tour.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>

#include "qt/main_window.h"

namespace {

// Time for a window to be mapped and drawn (and framed, under a window manager).
int SettleMs()
{
    return QGuiApplication::platformName() == QLatin1String("xcb") ? 800 : 100;
}

void Save(QWidget* window, const QString& path)
{
    QPixmap picture;
    // Under X the window manager's frame and caption are on screen: take them from there.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        QRect frame = window->frameGeometry();
        picture = window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    } else {
        picture = window->grab();
    }
    if (!picture.save(path))
        qWarning("lumetra: cannot save %s", qPrintable(path));
}

// Saves and closes the next modal window once it is up.
void GrabNextModal(const QString& path)
{
    QTimer::singleShot(SettleMs(), qApp, [path] {
        if (QWidget* window = QApplication::activeModalWidget()) {
            Save(window, path);
            window->close();
        }
    });
}

// The leaf that stands for the first structure of a type: its node, or the node's first child.
QTreeWidgetItem* LeafOfType(CMainWindow& window, int type)
{
    QTreeWidgetItem* root = window.Tree()->topLevelItem(0);
    for (int i = 0; root && i < root->childCount(); ++i) {
        QTreeWidgetItem* node = root->child(i);
        const uint8_t* structure = nullptr;
        uint16_t handle = static_cast<uint16_t>(node->data(0, QtTreeControl::kDataRole).toUInt());
        CTableReader& reader = window.Logic().Reader();
        if (reader.GetStructure(handle, &structure) == kOk && reader.CurrentStructure()->Type() == type)
            return node->childCount() ? node->child(0) : node;
    }
    return nullptr;
}

void Visit(CMainWindow& window, const QString& dir, const QList<int>& types)
{
    QWidget* active = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(active)) {
        Save(box, dir + QStringLiteral("/no-dmi.png"));
        box->close();
        return;
    }
    if (active != &window) {
        QTimer::singleShot(SettleMs(), &window, [&window, dir, types] { Visit(window, dir, types); });
        return;
    }
    Save(&window, dir + QStringLiteral("/main.png"));
    for (int type : types) {
        QTreeWidgetItem* leaf = LeafOfType(window, type);
        if (leaf == nullptr) {
            qWarning("lumetra: the table has no structure of type %d", type);
            continue;
        }
        window.Tree()->setCurrentItem(leaf);
        GrabNextModal(dir + QStringLiteral("/detail-%1.png").arg(type));
        window.Logic().OnDblClk();
    }
    // Find: the field under the tree on a match, and the detail window Enter opens on it.
    window.findChild<QAction*>(QStringLiteral("findAction"))->trigger();
    window.findChild<QLineEdit*>(QStringLiteral("findField"))->setText(QStringLiteral("serial"));
    QEventLoop settle;
    QTimer::singleShot(SettleMs(), &settle, &QEventLoop::quit);
    settle.exec();
    Save(&window, dir + QStringLiteral("/find.png"));
    GrabNextModal(dir + QStringLiteral("/find-detail.png"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(window.Tree(), &enter);
    GrabNextModal(dir + QStringLiteral("/summary.png"));
    window.findChild<QAction*>(QStringLiteral("summaryAction"))->trigger();
    GrabNextModal(dir + QStringLiteral("/about.png"));
    window.Logic().OnSysCommand(kIdmAboutBox);
    window.reject();
}

} // namespace

void WindowTour::StartIfAsked(CMainWindow& window)
{
    QString dir = qEnvironmentVariable("LUMETRA_GRAB_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QList<int> types;
    for (const QString& word : qEnvironmentVariable("LUMETRA_GRAB_TYPES", QStringLiteral("0")).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        types.push_back(word.toInt());
    QTimer::singleShot(SettleMs(), &window, [&window, dir, types] { Visit(window, dir, types); });
}
