#include "qt/summary_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
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

    // Wide enough for the longest line and tall enough for most summaries, within reason.
    const QStringList lines = m_text->toPlainText().split(QLatin1Char('\n'));
    int columns = 0;
    for (const QString& line : lines)
        columns = std::max(columns, static_cast<int>(line.size()));
    QFontMetrics metrics(m_text->font());
    resize(metrics.horizontalAdvance(QLatin1Char('0')) * (std::clamp(columns, 40, 100) + 6),
           metrics.lineSpacing() * (std::clamp(static_cast<int>(lines.size()), 10, 32) + 2) +
               buttons->sizeHint().height());
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
