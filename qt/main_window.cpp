#include "qt/main_window.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMimeData>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <iostream>

#include "platform/computer_name.h"
#include "res/string_table.h"
#include "shell/tree_builder.h"
#include "qt/about_window.h"
#include "qt/detail_window.h"
#include "qt/resources.h"

namespace {

const QSize kImageSize(kTreeImageWidth, kTreeImageHeight);

QTreeWidget* BuildMainTemplate(QDialog& dialog)
{
    BuildFromTemplate(dialog, kMainTemplate, Sizing::Resizable);
    return dialog.findChild<QTreeWidget*>(QStringLiteral("tree"));
}

} // namespace

CMainWindow::CMainWindow(std::unique_ptr<CTableReader> reader, const std::string& appTitle, QWidget* parent)
    : QDialog(parent),
      m_treeWidget(BuildMainTemplate(*this)),
      m_tree(m_treeWidget),
      m_messageBox(this),
      m_logic(std::move(reader), m_tree, m_messageBox, *this)
{
    // An application window, shown on the task bar; otherwise as the template says.
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Window);
    m_logic.m_appTitle = appTitle;
    m_logic.m_computerName = HostComputerName();
    m_logic.m_log = &std::cerr;
    connect(findChild<QPushButton*>(QStringLiteral("exitButton")), &QPushButton::clicked, this, &QDialog::reject);
    ShowCutOffTextsAsTips(m_treeWidget);
    m_treeWidget->installEventFilter(this);
    m_treeWidget->viewport()->installEventFilter(this);
    AddSavedTableActions();
}

bool CMainWindow::Initialise()
{
    // The window manager owns the system menu here, so the About item sits in the
    // window's context menu, and F1 opens it too.
    std::string aboutText = LoadResString(kIdsAboutItem);
    if (!aboutText.empty() && m_about == nullptr) {
        m_about = new QAction(QString::fromLatin1(aboutText.c_str()), this);
        m_about->setObjectName(QStringLiteral("aboutAction"));
        m_about->setShortcut(QKeySequence(Qt::Key_F1));
        connect(m_about, &QAction::triggered, this, [this] { m_logic.OnSysCommand(kIdmAboutBox); });
        addAction(m_about);
        setContextMenuPolicy(Qt::ActionsContextMenu);
    }
    setWindowIcon(IconResource(kIconMainFrame));
    m_tree.SetBkColor(kTreeColor);
    QVector<QPixmap> images;
    for (int icon : kTreeImageIcons)
        images.push_back(IconImage(icon, kImageSize));
    m_tree.SetImageList(images, kImageSize);

    if (!m_logic.OnInitDialog()) {
        setResult(kIdCancel);
        return false;
    }
    ShowTitle();
    findChild<QPushButton*>(QStringLiteral("exitButton"))->setFocus();
    return true;
}

bool CMainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_treeWidget->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        m_logic.OnDblClk();
        return false; // the tree still expands or collapses a node with children
    }
    if (watched == m_treeWidget && event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_logic.OnDblClk();
            return true; // Enter in the tree never ends the window
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CMainWindow::RunDetail(const uint8_t* structure, CTableReader& reader)
{
    CDetailWindow detail(structure, &reader, this);
    detail.exec();
}

void CMainWindow::RunAbout()
{
    const CTableReader& reader = m_logic.Reader();
    CAboutWindow about(AboutSecondLine(reader), AboutProblemLine(reader), ProblemsText(reader), this);
    about.exec();
}

// ---- Saved tables: open, save, export -------------------------------------------------

namespace {

std::string LocalPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QStringList Filters(std::initializer_list<const char*> filters)
{
    QStringList list;
    for (const char* filter : filters)
        list << QString::fromLatin1(filter);
    return list;
}

// A saving dialog; the dialog itself asks before it lets a file be replaced.
QString ChooseSavePath(QFileDialog& dialog, const QString& suffix)
{
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

// The report format of a filter of the export dialog; the first when none is chosen.
const ReportKind& KindOf(const QStringList& filters, const QString& filter)
{
    qsizetype i = filters.indexOf(filter);
    return kReportKinds[i > 0 ? i : 0];
}

} // namespace

void CMainWindow::AddSavedTableActions()
{
    const struct {
        const char* name;
        const char* text;
        QKeySequence keys;
        void (CMainWindow::*run)();
    } items[] = {
        {"openAction", "&Open Saved Table...", QKeySequence(Qt::CTRL | Qt::Key_O), &CMainWindow::OnOpenSavedTable},
        {"saveAction", "&Save Table As...", QKeySequence(Qt::CTRL | Qt::Key_S), &CMainWindow::OnSaveTableAs},
        {"exportAction", "&Export Report...", QKeySequence(Qt::CTRL | Qt::Key_E), &CMainWindow::OnExportReport},
    };
    for (const auto& item : items) {
        auto* action = new QAction(QString::fromLatin1(item.text), this);
        action->setObjectName(QString::fromLatin1(item.name));
        action->setShortcut(item.keys);
        connect(action, &QAction::triggered, this, item.run);
        addAction(action);
    }
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    addAction(separator);
    setAcceptDrops(true);
}

void CMainWindow::OnOpenSavedTable()
{
    QFileDialog dialog(this, QStringLiteral("Open Saved Table"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(Filters({kSavedTableFilters[0], kSavedTableFilters[1]}));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        OpenPath(dialog.selectedFiles().constFirst());
}

void CMainWindow::OnSaveTableAs()
{
    QFileDialog dialog(this, QStringLiteral("Save Table As"));
    dialog.setNameFilters(Filters({kSavedTableFilters[0], kSavedTableFilters[1]}));
    QString path = ChooseSavePath(dialog, QString::fromLatin1(kSavedTableSuffix));
    if (!path.isEmpty())
        SaveTableTo(path);
}

void CMainWindow::OnExportReport()
{
    QFileDialog dialog(this, QStringLiteral("Export Report"));
    QStringList filters;
    for (const ReportKind& kind : kReportKinds)
        filters << QString::fromLatin1(kind.filter);
    dialog.setNameFilters(filters);
    // The name typed without a suffix gets the one of the format chosen.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString& filter) {
        dialog.setDefaultSuffix(QString::fromLatin1(KindOf(filters, filter).suffix));
    });
    QString path = ChooseSavePath(dialog, QString::fromLatin1(kReportKinds[0].suffix));
    if (!path.isEmpty())
        ExportReportTo(path, KindOf(filters, dialog.selectedNameFilter()).format);
}

bool CMainWindow::OpenPath(const QString& path)
{
    bool opened = m_logic.OpenSavedTable(LocalPath(path));
    if (opened)
        ShowTitle(); // the title names the file now shown
    return opened;
}

void CMainWindow::ShowTitle()
{
    setWindowTitle(QString::fromLatin1(MainWindowTitle(kMainTemplate.caption, m_logic.Reader()).c_str()));
}

bool CMainWindow::SaveTableTo(const QString& path)
{
    return m_logic.SaveTable(LocalPath(path));
}

bool CMainWindow::ExportReportTo(const QString& path, ReportFormat format)
{
    return m_logic.ExportReport(LocalPath(path), format);
}

void CMainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.constFirst().isLocalFile())
        event->acceptProposedAction();
}

void CMainWindow::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile())
        return;
    event->acceptProposedAction();
    // Opened once the drop has ended: a message box must not hold the dragging program.
    QString path = urls.constFirst().toLocalFile();
    QTimer::singleShot(0, this, [this, path] { OpenPath(path); });
}
