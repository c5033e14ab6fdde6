#include "qt/detail_window.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeView>

#include "qt/resources.h"

namespace {

QTreeView* BuildDetailTemplate(QDialog& dialog)
{
    BuildFromTemplate(dialog, kDetailTemplate, Sizing::Resizable);
    return dialog.findChild<QTreeView*>(QStringLiteral("list"));
}

} // namespace

CDetailWindow::CDetailWindow(const uint8_t* structure, CTableReader* reader, QWidget* parent)
    : QDialog(parent), m_view(BuildDetailTemplate(*this)), m_list(m_view), m_logic(m_list)
{
    connect(findChild<QPushButton*>(QStringLiteral("okButton")), &QPushButton::clicked, this, &QDialog::accept);
    m_view->installEventFilter(this);

    m_logic.SetStructure(structure, reader);
    m_logic.OnInitDialog();
    setWindowTitle(QString::fromLatin1(m_logic.Caption()));
}

void CDetailWindow::CopySelectedRows()
{
    QString text = m_list.SelectedRowsText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void CDetailWindow::SelectRow(int row)
{
    QModelIndex index = m_view->model()->index(row, 0);
    if (!index.isValid())
        return;
    m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_view->scrollTo(index);
}

bool CDetailWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The view would copy only its current cell; whole rows are what a report list copies.
    if (watched == m_view && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        CopySelectedRows();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
