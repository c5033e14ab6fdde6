#include <gtest/gtest.h>

#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>
#include <QTreeView>
#include <QTreeWidget>

#include "qt/detail_window.h"
#include "qt/main_window.h"
#include "tests/gui/gui_helpers.h"
#include "tests/table_builder.h"

namespace {

const std::string kLong = "Memory Error Information Handle, and more words than any column shows";

QRect Geometry(QWidget& window, const char* name)
{
    return window.findChild<QWidget*>(QString::fromLatin1(name))->geometry();
}

} // namespace

// Both windows start at their template's size, which is also their minimum; made
// larger, the list grows and the other items keep their place by the bottom edge.
TEST(Resizing, ListsGrowAndTheOtherItemsFollowTheBottomEdge)
{
    auto reader = OpenTable({Structure(200, 1, {}, {kLong})});
    const uint8_t* current = nullptr;
    reader->SelectStructure(0, &current);
    CMainWindow main(OpenTable({Structure(0, 0)}), "lumetra");
    ASSERT_TRUE(main.Initialise());
    CDetailWindow detail(current, reader.get());

    struct Moved {
        const char* name;
        int dx, dy, dw, dh; // in eighths of the growth: 8 is all of it
    };
    struct Case {
        QDialog* window;
        std::vector<Moved> items;
    };
    const Case cases[] = {
        {&main, {{"tree", 0, 0, 8, 8}, {"exitButton", 4, 8, 0, 0}}},
        {&detail, {{"list", 0, 0, 8, 8}, {"okButton", 8, 8, 0, 0}, {"note", 0, 8, 0, 0}}},
    };
    const QSize growth(120, 80);
    for (const Case& c : cases) {
        QDialog& window = *c.window;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QSize initial = window.size();
        EXPECT_EQ(window.minimumSize(), initial) << window.objectName().toStdString();
        EXPECT_NE(window.maximumSize(), initial);
        std::vector<QRect> before;
        for (const Moved& m : c.items)
            before.push_back(Geometry(window, m.name));
        window.resize(initial + growth);
        QApplication::processEvents();
        for (size_t i = 0; i < c.items.size(); ++i) {
            const Moved& m = c.items[i];
            QRect expected(before[i].topLeft() + QPoint(growth.width() * m.dx / 8, growth.height() * m.dy / 8),
                           before[i].size() + QSize(growth.width() * m.dw / 8, growth.height() * m.dh / 8));
            EXPECT_EQ(Geometry(window, m.name), expected) << m.name;
        }
        window.hide();
    }
}

// A cell cut off by its column shows its text in a tooltip; a cell seen whole shows
// none. A double-click on the column divider fits the column to its contents.
TEST(Resizing, CutOffCellsHaveTooltipsAndDividersFitColumns)
{
    auto reader = OpenTable({Structure(200, 1, {}, {kLong})});
    const uint8_t* current = nullptr;
    reader->SelectStructure(0, &current);
    CDetailWindow detail(current, reader.get());
    detail.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&detail));
    auto* view = detail.findChild<QTreeView*>(QStringLiteral("list"));
    QModelIndex longCell = view->model()->index(4, 1); // "String 1" and its value
    QModelIndex shortCell = view->model()->index(0, 1);
    ASSERT_EQ(longCell.data().toString().toStdString(), kLong);

    EXPECT_EQ(CutOffText(view, longCell).toStdString(), kLong);
    EXPECT_EQ(CutOffText(view, shortCell), QString());
    QPoint at = view->visualRect(longCell).center();
    QHelpEvent help(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &help);
    EXPECT_TRUE(QToolTip::text().contains(QString::fromStdString(kLong))) << QToolTip::text().toStdString();
    QToolTip::hideText();

    QHeaderView* header = view->header();
    header->resizeSection(1, 10);
    int edge = header->sectionViewportPosition(1) + header->sectionSize(1) - 1;
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, QPoint(edge, header->height() / 2));
    EXPECT_EQ(header->sectionSize(1), std::max(static_cast<QAbstractItemView*>(view)->sizeHintForColumn(1), header->sectionSizeHint(1)));
    detail.resize(detail.width() + 1000, detail.height()); // room for the fitted column
    QApplication::processEvents();
    EXPECT_EQ(CutOffText(view, longCell), QString());

    // The main window's tree does the same for a node cut off by a narrow window.
    CMainWindow main(OpenTable({Structure(17, 1)}), "lumetra");
    ASSERT_TRUE(main.Initialise());
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    QTreeWidget* tree = main.Tree();
    QModelIndex node = tree->model()->index(0, 0, tree->model()->index(0, 0));
    EXPECT_EQ(CutOffText(tree, node), QString());
    tree->header()->setStretchLastSection(false);
    tree->header()->resizeSection(0, 60);
    EXPECT_EQ(CutOffText(tree, node), QStringLiteral("Memory Device (Type 17)"));
}
