#include <gtest/gtest.h>

#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>

#include "shell/detail_window.h"
#include "tests/gui/gui_helpers.h"
#include "tests/table_builder.h"
#include "ui/memory_controls.h"

namespace {

// A detail window on the first structure of the table, made current as the main window does.
struct Detail {
    explicit Detail(const std::vector<Bytes>& structures) : reader(OpenTable(structures))
    {
        const uint8_t* structure = nullptr;
        reader->SelectStructure(0, &structure);
        window = std::make_unique<DetailWindow>(structure, reader.get());
        view = window->findChild<QTreeView*>(QStringLiteral("list"));
    }
    QString Cell(int row, int column) const { return view->model()->index(row, column).data().toString(); }
    QString Heading(int column) const { return view->model()->headerData(column, Qt::Horizontal).toString(); }
    // The same structure decoded into the in-memory list, at the same width.
    MemoryList InMemory() const
    {
        MemoryList list(view->width());
        CDetailDlg logic(list);
        const uint8_t* structure = nullptr;
        reader->SelectStructure(0, &structure);
        logic.m_pStruct = structure;
        logic.m_pReader = reader.get();
        logic.OnInitDialog();
        return list;
    }

    std::unique_ptr<CTableReader> reader;
    std::unique_ptr<DetailWindow> window;
    QTreeView* view = nullptr;
};

// The window shows exactly what the decoder wrote: headings, widths and every cell.
void ExpectSameAsInMemory(const Detail& d)
{
    MemoryList want = d.InMemory();
    ASSERT_EQ(d.view->model()->columnCount(), static_cast<int>(want.Columns().size()));
    for (int c = 0; c < d.view->model()->columnCount(); ++c) {
        EXPECT_EQ(d.Heading(c).toStdString(), want.Columns()[c].heading);
        EXPECT_EQ(d.view->header()->sectionSize(c), want.Columns()[c].width);
    }
    ASSERT_EQ(d.view->model()->rowCount(), static_cast<int>(want.Rows().size()));
    for (int r = 0; r < d.view->model()->rowCount(); ++r)
        for (int c = 0; c < d.view->model()->columnCount(); ++c)
            EXPECT_EQ(d.Cell(r, c), QString::fromLatin1(want.Rows()[r][c].c_str())) << r << "," << c;
}

} // namespace

TEST(DetailWindow, GenericStructureCaptionColumnsRowsAndTemplate)
{
    Detail d({Structure(126, 0x1234, {0xAA, 0xBB}, {"abc", "caf\xE9"})});
    EXPECT_EQ(d.window->windowTitle(), QStringLiteral("Inactive (Type 126)"));
    EXPECT_EQ(d.window->objectName(), QStringLiteral("detailWindow"));
    int w = d.view->width();
    EXPECT_EQ(d.Heading(0), QStringLiteral("Description"));
    EXPECT_EQ(d.Heading(1), QStringLiteral("Value"));
    EXPECT_EQ(d.view->header()->sectionSize(0), w / 3);
    EXPECT_EQ(d.view->header()->sectionSize(1), 2 * w / 3);
    EXPECT_EQ(d.Cell(0, 0), QStringLiteral("Type"));
    EXPECT_EQ(d.Cell(0, 1), QStringLiteral("126"));
    EXPECT_EQ(d.Cell(3, 0), QStringLiteral("Data Source"));
    EXPECT_EQ(d.Cell(3, 1), QStringLiteral("0000: 7E 06 34 12 AA BB "));
    EXPECT_EQ(d.Cell(5, 1), QString::fromUtf8("caf\u00E9")); // 8-bit table text, shown as Latin-1
    ExpectSameAsInMemory(d);

    EXPECT_EQ(d.view->palette().color(QPalette::Base), QColor(200, 255, 200));
    EXPECT_EQ(d.view->model()->index(0, 1).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(200, 255, 200));
    EXPECT_EQ(d.window->findChild<QLabel*>(QStringLiteral("note"))->text(),
              QStringLiteral("Please referance SMBIOS specification for detail information."));
    EXPECT_EQ(d.window->findChild<QPushButton*>(QStringLiteral("okButton"))->text(), QStringLiteral("OK"));
}

TEST(DetailWindow, TypeWithoutCaptionAndType10ShowWhatTheDecoderWrote)
{
    Detail oem({Structure(200, 1, {0xAA})});
    EXPECT_EQ(oem.window->windowTitle(), QString());
    ExpectSameAsInMemory(oem);

    Detail devices({Structure(10, 2, {0x83, 0x01, 0x05, 0x02}, {"VGA", "LAN"})});
    EXPECT_EQ(devices.window->windowTitle(), QStringLiteral("On Board Device Information (Type 10)"));
    ExpectSameAsInMemory(devices);
}

TEST(DetailWindow, ListAdapterTakesTheThreeColumnLayout)
{
    // What the type 10 decoder does to the standard columns, straight through the adapter.
    QTreeView view;
    view.resize(602, 100);
    QtListControl list(&view);
    list.InsertColumn(0, "Description", 200);
    list.InsertColumn(1, "Value", 401);
    list.SetBkColor(0xC8FFC8);
    while (list.GetColumnCount() > 0)
        list.DeleteColumn(0);
    int third = list.GetWindowWidth() / 3;
    list.InsertColumn(0, "Description", third);
    list.InsertColumn(1, "Device Status", third);
    list.InsertColumn(2, "Device Type", third);
    list.InsertItem(0, "VGA");
    list.SetItemText(0, 1, "Enabled");
    list.SetItemText(0, 2, "Video");
    list.InsertItem(1, "");
    EXPECT_FALSE(list.SetItemText(1, 3, "no such column"));
    EXPECT_FALSE(list.SetItemText(2, 1, "no such row"));

    QAbstractItemModel* model = view.model();
    ASSERT_EQ(model->columnCount(), 3);
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Device Status"));
    EXPECT_EQ(view.header()->sectionSize(2), 200);
    EXPECT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->index(0, 2).data().toString(), QStringLiteral("Video"));
    EXPECT_EQ(model->index(1, 1).data().toString(), QString());
}

TEST(DetailWindow, CtrlCCopiesTheSelectedRowsAsTabSeparatedText)
{
    Detail d({Structure(200, 0x1234, {0xAA}, {"abc"})});
    d.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d.window.get()));
    QApplication::clipboard()->setText(QStringLiteral("before"));
    QItemSelectionModel* selection = d.view->selectionModel();
    auto rows = QItemSelectionModel::Select | QItemSelectionModel::Rows;
    selection->select(d.view->model()->index(4, 0), rows); // selected out of order on purpose
    selection->select(d.view->model()->index(0, 0), rows);
    selection->select(d.view->model()->index(2, 0), rows);
    QTest::keyClick(d.view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("Type\t200\nHandle\t0x1234\nString 1\tabc\n"));

    // Nothing selected: the clipboard keeps what it had.
    selection->clearSelection();
    QTest::keyClick(d.view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Type\t200\nHandle\t0x1234\nString 1\tabc\n"));
}

TEST(DetailWindow, OkEscapeAndTheCloseBoxEndIt)
{
    enum How { Ok, Escape, CloseBox };
    for (How how : {Ok, Escape, CloseBox}) {
        Detail d({Structure(200, 1)});
        DetailWindow* window = d.window.get();
        QTimer::singleShot(0, window, [window, how] {
            if (how == Ok)
                window->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
            else if (how == Escape)
                QTest::keyClick(window, Qt::Key_Escape);
            else
                window->close();
        });
        QTimer::singleShot(5000, window, [window] { window->done(99); }); // a fault ends the test, not the suite
        EXPECT_EQ(window->exec(), how == Ok ? QDialog::Accepted : QDialog::Rejected) << how;
    }
}
