#include "qt/main_window.h"

#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
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
    setWindowTitle(QString::fromLatin1(MainWindowTitle(kMainTemplate.caption, m_logic.Reader()).c_str()));
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
