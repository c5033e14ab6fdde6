#include <gtest/gtest.h>

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeView>

#include "shell/summary.h"
#include "tests/gui/gui_helpers.h"

TEST(MainWindow, FindGoesForwardAndBackWrappingAroundAndEnterOpensTheRowFound)
{
    // In tree order the matches are 126 #.0, 126 #.1 and then 200, which the table lists first.
    ShownWindow w({Structure(200, 1, {}, {"Dimm one"}), Structure(0, 0), Structure(126, 2, {}, {"x", "DIMM two"}),
                   Structure(126, 3, {}, {"dimm three"})});
    ASSERT_TRUE(w.ok);
    QTest::keyClick(&w.window, Qt::Key_F, Qt::ControlModifier);
    auto* field = w.window.findChild<QLineEdit*>(QStringLiteral("findField"));
    auto* status = w.window.findChild<QLabel*>(QStringLiteral("findStatus"));
    ASSERT_TRUE(field->isVisible() && field->hasFocus());
    const QString a = QStringLiteral("Inactive (Type 126) #.0"), b = QStringLiteral("Inactive (Type 126) #.1"),
                  c = QStringLiteral("Unknown DMI Type");
    const struct {
        QString typed; // the field's new text, when key is 0
        int key;
        Qt::KeyboardModifiers modifiers;
        QString selected, status;
    } steps[] = {
        {"dImM", 0, {}, a, "1 of 3"},          {"", Qt::Key_F3, {}, b, "2 of 3"},
        {"", Qt::Key_Return, {}, c, "3 of 3"}, {"", Qt::Key_F3, {}, a, "1 of 3"},
        {"", Qt::Key_F3, Qt::ShiftModifier, c, "3 of 3"}, {"", Qt::Key_F3, Qt::ShiftModifier, b, "2 of 3"},
        {"zz", 0, {}, b, "Not found"},         {"\u0101", 0, {}, b, "Not found"}, // beyond Latin-1
        {"", 0, {}, b, ""},
    };
    for (const auto& step : steps) {
        if (step.key)
            QTest::keyClick(field, Qt::Key(step.key), step.modifiers);
        else
            field->setText(step.typed);
        EXPECT_EQ(w.tree->currentItem()->text(0), step.selected) << step.typed.toStdString() << step.key;
        EXPECT_EQ(status->text(), step.status) << step.typed.toStdString() << step.key;
    }

    // Enter on the found node: its detail window, the row holding the text selected.
    field->setText(QStringLiteral("two"));
    QStringList selected;
    ModalWatcher watcher([&](QWidget* detail) {
        auto* list = detail->findChild<QTreeView*>(QStringLiteral("list"));
        for (const QModelIndex& row : list->selectionModel()->selectedRows(1))
            selected << detail->windowTitle() + "|" + row.data().toString();
    });
    QTest::keyClick(w.tree, Qt::Key_Return);
    EXPECT_EQ(selected, QStringList{"Inactive (Type 126)|DIMM two"});
    // Esc closes the field, not the window.
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(field->isVisible());
    EXPECT_TRUE(w.window.isVisible());
}

TEST(MainWindow, SummaryWindowShowsTheSummaryAndCtrlCCopiesIt)
{
    const std::vector<Bytes> table = {Structure(1, 1, {1, 2, 0, 0}, {"Maker", "Caf\xE9"}), Structure(17, 2)};
    ShownWindow w(table);
    ASSERT_TRUE(w.ok);
    QString shown, copied;
    ModalWatcher watcher([&](QWidget* window) {
        auto* text = window->findChild<QPlainTextEdit*>(QStringLiteral("summaryText"));
        shown = window->windowTitle() + "\n" + text->toPlainText();
        QApplication::clipboard()->clear();
        QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
        copied = QApplication::clipboard()->text();
    });
    QTest::keyClick(&w.window, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(shown, "Summary\n" + QString::fromStdString(RenderSummary(*OpenTable(table))));
    EXPECT_TRUE(shown.contains(QString::fromUtf8("Product Name     Caf\u00E9\n")));
    EXPECT_EQ(copied, shown.mid(8));
}
