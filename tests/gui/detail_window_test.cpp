#include <gtest/gtest.h>

#include <QClipboard>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>

#include "qt/detail_window.h"
#include "tests/gui/gui_helpers.h"
#include "tests/table_builder.h"

namespace {

// A detail window on a table's only structure, made current as the main window does.
struct Detail {
    explicit Detail(const Bytes& structure) : reader(OpenTable({structure}))
    {
        const uint8_t* current = nullptr;
        reader->SelectStructure(0, &current);
        window = std::make_unique<CDetailWindow>(current, reader.get());
        view = window->findChild<QTreeView*>(QStringLiteral("list"));
    }
    // The headings, then every row: cells joined by '|'.
    QStringList Rows() const
    {
        QAbstractItemModel* model = view->model();
        QStringList rows;
        for (int r = -1; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells << (r < 0 ? model->headerData(c, Qt::Horizontal) : model->index(r, c).data()).toString();
            rows << cells.join(QLatin1Char('|'));
        }
        return rows;
    }

    std::unique_ptr<CTableReader> reader;
    std::unique_ptr<CDetailWindow> window;
    QTreeView* view = nullptr;
};

} // namespace

TEST(DetailWindow, CaptionColumnsAndRowsOfAGenericStructureAndOfType10)
{
    struct Case {
        Bytes structure;
        QString caption;
        QList<int> thirds; // each column's width in thirds of the list's width
        QStringList rows;        // headings first
    };
    const Case cases[] = {
        {Structure(126, 0x1234, {0xAA, 0xBB}, {"abc", "caf\xE9"}), QStringLiteral("Inactive (Type 126)"), {1, 2},
         {"Description|Value", "Type|126", "Length|0x0006", "Handle|0x1234", "Data Source|0000: 7E 06 34 12 AA BB ",
          "String 1|abc", QString::fromUtf8("String 2|caf\u00E9")}}, // 8-bit table text, shown as Latin-1
        {Structure(10, 2, {0x83, 0x01, 0x05, 0x02}, {"VGA", "LAN"}),
         QStringLiteral("On Board Device Information (Type 10)"), {1, 1, 1},
         {"Description|Device Status|Device Type", "VGA|Enabled|Video", "LAN|Disabled|Ethernet"}},
    };
    for (const Case& c : cases) {
        Detail d(c.structure);
        EXPECT_EQ(d.window->windowTitle(), c.caption);
        EXPECT_EQ(d.Rows(), c.rows);
        for (int i = 0; i < c.thirds.size(); ++i)
            EXPECT_EQ(d.view->header()->sectionSize(i), c.thirds[i] * d.view->width() / 3) << i;
    }
}

TEST(DetailWindow, CtrlCCopiesTheSelectedRowsAndOkEscapeOrTheCloseBoxEndIt)
{
    Detail d(Structure(200, 0x1234, {0xAA}, {"abc"}));
    QApplication::clipboard()->setText(QStringLiteral("before"));
    QItemSelectionModel* selection = d.view->selectionModel();
    for (int row : {4, 0, 2}) // selected out of order on purpose
        selection->select(d.view->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(d.view, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QStringLiteral("Type\t200\nHandle\t0x1234\nString 1\tabc\n");
    EXPECT_EQ(QApplication::clipboard()->text(), copied);
    selection->clearSelection(); // nothing selected: the clipboard keeps what it had
    QTest::keyClick(d.view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), copied);

    CDetailWindow* window = d.window.get();
    auto* ok = window->findChild<QPushButton*>(QStringLiteral("okButton"));
    EXPECT_EQ(ExecAnd(*window, [ok] { ok->click(); }), QDialog::Accepted);
    EXPECT_EQ(ExecAnd(*window, [window] { QTest::keyClick(window, Qt::Key_Escape); }), QDialog::Rejected);
    EXPECT_EQ(ExecAnd(*window, [window] { window->close(); }), QDialog::Rejected);
}
