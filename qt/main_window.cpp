#include "qt/main_window.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMimeData>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QShortcut>
#include <QTreeWidget>
#include <algorithm>
#include <iostream>

#include "platform/computer_name.h"
#include "res/string_table.h"
#include "shell/summary.h"
#include "shell/tree_builder.h"
#include "qt/about_window.h"
#include "qt/detail_window.h"
#include "qt/resources.h"
#include "qt/summary_window.h"

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
    if (m_summary == nullptr)
        AddFindAndSummary();
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
            if (!OpenFoundStructure())
                m_logic.OnDblClk();
            return true; // Enter in the tree never ends the window
        }
    }
    if (watched == m_findField && event->type() == QEvent::KeyPress && FindFieldKey(static_cast<QKeyEvent*>(event)))
        return true;
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

// ---- Find and Summary ----

void CMainWindow::AddFindAndSummary()
{
    auto* find = new QAction(QStringLiteral("&Find..."), this);
    find->setObjectName(QStringLiteral("findAction"));
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(find, &QAction::triggered, this, &CMainWindow::OpenFind);
    addAction(find);
    m_summary = new QAction(QStringLiteral("&Summary"), this);
    m_summary->setObjectName(QStringLiteral("summaryAction"));
    m_summary->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(m_summary, &QAction::triggered, this, &CMainWindow::ShowSummary);
    addAction(m_summary);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    m_findBar = new QWidget(this);
    m_findBar->setObjectName(QStringLiteral("findBar"));
    m_findField = new QLineEdit(m_findBar);
    m_findField->setObjectName(QStringLiteral("findField"));
    m_findStatus = new QLabel(m_findBar);
    m_findStatus->setObjectName(QStringLiteral("findStatus"));
    auto* layout = new QHBoxLayout(m_findBar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Find:"), m_findBar));
    layout->addWidget(m_findField, 1);
    layout->addWidget(m_findStatus);
    m_findBar->hide();
    m_findField->installEventFilter(this);
    connect(m_findField, &QLineEdit::textChanged, this, [this] { FindStep(0); });
    new QShortcut(QKeySequence(Qt::Key_F3), this, [this] {
        OpenFind();
        FindStep(1);
    });
    new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this, [this] {
        OpenFind();
        FindStep(-1);
    });
}

void CMainWindow::OpenFind()
{
    if (m_findBar->isHidden()) {
        m_findBar->show();
        TakeTreeBottom(true);
    }
    m_findField->setFocus();
    m_findField->selectAll();
}

void CMainWindow::CloseFind()
{
    TakeTreeBottom(false);
    m_findBar->hide();
    m_treeWidget->setFocus();
}

void CMainWindow::resizeEvent(QResizeEvent* event)
{
    // The template's layout has just given the tree its whole height again.
    QDialog::resizeEvent(event);
    m_findTaken = 0;
    if (m_findBar != nullptr && !m_findBar->isHidden())
        TakeTreeBottom(true);
}

void CMainWindow::TakeTreeBottom(bool take)
{
    constexpr int kGap = 4;
    QRect tree = m_treeWidget->geometry();
    tree.setBottom(tree.bottom() + m_findTaken);
    int height = m_findBar->sizeHint().height();
    m_findTaken = take ? height + kGap : 0;
    tree.setBottom(tree.bottom() - m_findTaken);
    m_treeWidget->setGeometry(tree);
    m_findBar->setGeometry(tree.left(), tree.bottom() + 1 + kGap, tree.width(), height);
}

std::vector<FindMatch> CMainWindow::FindMatches()
{
    // Table text is 8-bit: a character beyond Latin-1 is in none of it.
    const QString text = m_findField->text();
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0xFF; }))
        return {};
    return FindStructures(m_logic.Reader(), text.toLatin1().toStdString());
}

std::pair<int, int> CMainWindow::TreePlace(QTreeWidgetItem* item) const
{
    QTreeWidgetItem* root = m_treeWidget->topLevelItem(0);
    if (item == nullptr || item == root)
        return {-1, -1};
    if (item->parent() == root)
        return {root->indexOfChild(item), -1};
    return {root->indexOfChild(item->parent()), item->parent()->indexOfChild(item)};
}

void CMainWindow::FindStep(int step)
{
    const std::vector<FindMatch> found = FindMatches();
    if (found.empty()) {
        m_findStatus->setText(m_findField->text().isEmpty() ? QString() : QStringLiteral("Not found"));
        return;
    }
    auto place = [](const FindMatch& m) { return std::make_pair(m.typeNode, m.instance); };
    const std::pair<int, int> here = TreePlace(m_treeWidget->currentItem());
    size_t at = 0;
    if (step > 0) {
        while (at < found.size() && place(found[at]) <= here)
            ++at;
        at = at == found.size() ? 0 : at;
    } else if (step < 0) {
        at = found.size() - 1;
        while (at > 0 && place(found[at]) >= here)
            --at;
        at = place(found[at]) >= here ? found.size() - 1 : at;
    }
    QTreeWidgetItem* item = m_treeWidget->topLevelItem(0)->child(found[at].typeNode);
    if (found[at].instance >= 0)
        item = item->child(found[at].instance);
    m_treeWidget->setCurrentItem(item);
    m_treeWidget->scrollToItem(item);
    m_findStatus->setText(QStringLiteral("%1 of %2").arg(at + 1).arg(found.size()));
}

bool CMainWindow::FindFieldKey(QKeyEvent* key)
{
    // Keys the dialog would take: Enter presses its default button, Esc ends the program.
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        FindStep(1);
    else if (key->key() == Qt::Key_Escape)
        CloseFind();
    else
        return false;
    return true;
}

bool CMainWindow::OpenFoundStructure()
{
    if (m_findBar == nullptr || m_findBar->isHidden())
        return false;
    const std::pair<int, int> here = TreePlace(m_treeWidget->currentItem());
    for (const FindMatch& m : FindMatches()) {
        const uint8_t* structure = nullptr;
        if (std::make_pair(m.typeNode, m.instance) != here || m_logic.Reader().SelectStructure(m.index, &structure) != kOk)
            continue;
        CDetailWindow detail(structure, &m_logic.Reader(), this);
        detail.SelectRow(m.row);
        detail.exec();
        return true;
    }
    return false;
}

void CMainWindow::ShowSummary()
{
    CSummaryWindow summary(RenderSummary(m_logic.Reader()), this);
    summary.exec();
}
