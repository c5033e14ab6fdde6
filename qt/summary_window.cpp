#include "qt/summary_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

CSummaryWindow::CSummaryWindow(const std::string& text, QWidget* parent)
    : QDialog(parent), m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("summaryWindow"));
    setWindowTitle(QStringLiteral("Summary"));
    m_text->setObjectName(QStringLiteral("summaryText"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The values are aligned in columns of characters.
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setPlainText(QString::fromStdString(text));
    m_text->installEventFilter(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(buttons);

    // Wide enough for the longest line (within reason), tall enough for most summaries.
    QFontMetrics metrics(m_text->font());
    const QStringList lines = m_text->toPlainText().split(QLatin1Char('\n'));
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const QMargins margins = layout->contentsMargins();
    const int edges = 2 * (m_text->frameWidth() + static_cast<int>(m_text->document()->documentMargin()));
    resize(std::min(width, metrics.horizontalAdvance(QLatin1Char('0')) * 100) + edges +
               m_text->verticalScrollBar()->sizeHint().width() + margins.left() + margins.right(),
           metrics.lineSpacing() * std::min(static_cast<int>(lines.size()), 32) + edges + layout->spacing() +
               buttons->sizeHint().height() + margins.top() + margins.bottom());
}

void CSummaryWindow::Copy()
{
    if (m_text->textCursor().hasSelection())
        m_text->copy();
    else
        QApplication::clipboard()->setText(m_text->toPlainText());
}

bool CSummaryWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_text && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        Copy();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
