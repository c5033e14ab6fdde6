#pragma once
// The summary window: the machine in a few lines, as --summary prints it.
#include <QDialog>
#include <string>

class QPlainTextEdit;

class CSummaryWindow : public QDialog {
    Q_OBJECT
public:
    // text is RenderSummary's (UTF-8, table text already escaped).
    explicit CSummaryWindow(const std::string& text, QWidget* parent = nullptr);

    // Puts the selected text on the clipboard, or the whole summary when none is selected.
    void Copy();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* m_text;
};
