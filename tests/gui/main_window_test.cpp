#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

#include "res/string_table.h"
#include "qt/main_window.h"
#include "tests/gui/gui_helpers.h"
#include "tests/table_builder.h"

namespace {

const QString kMemory = QStringLiteral("Memory Device (Type 17)");

// The main window over the structures, initialised, shown and active, as the program runs it.
struct ShownWindow {
    explicit ShownWindow(const std::vector<Bytes>& table) : window(OpenTable(table), "lumetra")
    {
        ok = window.Initialise();
        window.show();
        QApplication::setActiveWindow(&window);
        ok = ok && QTest::qWaitForWindowActive(&window);
        root = tree->topLevelItem(0);
    }
    QTreeWidgetItem* Node(int i) const { return root->child(i); }
    void DoubleClickItem(QTreeWidgetItem* item)
    {
        tree->scrollToItem(item);
        DoubleClick(tree->viewport(), tree->visualItemRect(item).center());
    }

    MainWindow window;
    QTreeWidget* tree = window.Tree();
    bool ok = false;
    QTreeWidgetItem* root = nullptr;
};

} // namespace

TEST(MainWindow, OneStructureOfEachTypeGivesLeavesInTypeOrderThatOpenTheirDetailWindow)
{
    // 24 has no name of its own; 200 is an OEM type. Handles are the types.
    const int types[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24,
                         32, 126, 127, 200};
    std::vector<Bytes> table; // listed out of order
    QStringList expected;     // the detail windows' captions, in increasing type order
    for (int type : types) {
        table.insert(table.begin(), Structure(static_cast<uint8_t>(type), static_cast<uint16_t>(type)));
        expected << QString::fromLatin1(LoadResString(kIdsCaptionBase + type));
    }
    ShownWindow w(table);
    ASSERT_TRUE(w.ok);
    QStringList captions;
    ModalWatcher watcher([&](QWidget* detail) { captions << detail->windowTitle(); });
    for (int i = 0; i < w.root->childCount(); ++i) {
        EXPECT_EQ(w.Node(i)->childCount(), 0) << i;
        w.DoubleClickItem(w.Node(i));
    }
    EXPECT_EQ(captions, expected);
    EXPECT_EQ(w.Node(28)->text(0), QStringLiteral("Unknown DMI Type"));
}

TEST(MainWindow, ThreeOfATypeGiveNumberedLeavesOnThePaleYellowTreeAndOnlyLeavesOpen)
{
    ShownWindow w({Structure(17, 0x1100), Structure(1, 0), Structure(17, 0x1101), Structure(17, 0x1102)});
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Mainboard Lumetra Ver.1.0 for Win9x/NT4/2000/XP"));
    EXPECT_FALSE(w.window.windowIcon().isNull());
    EXPECT_EQ(w.tree->palette().color(QPalette::Base), QColor(255, 255, 180));
    EXPECT_EQ(w.tree->iconSize(), QSize(32, 20));
    EXPECT_TRUE(w.root->isExpanded());
    QTreeWidgetItem* memory = w.Node(1);
    ASSERT_EQ(memory->childCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(memory->child(i)->text(0), kMemory + QStringLiteral(" #.%1").arg(i));
    for (QTreeWidgetItem* item : {w.root, memory, memory->child(0)})
        EXPECT_FALSE(item->icon(0).isNull()) << item->text(0).toStdString();

    QStringList captions;
    ModalWatcher watcher([&](QWidget* detail) { captions << detail->windowTitle(); });
    w.DoubleClickItem(memory); // the type node only expands
    EXPECT_TRUE(memory->isExpanded());
    w.tree->setCurrentItem(nullptr); // nothing selected, and handle 0 is there to be opened by mistake
    QTest::mouseDClick(w.tree->viewport(), Qt::LeftButton, {}, QPoint(10, w.tree->viewport()->height() - 5));
    // Only the left button's double-click opens a leaf.
    w.tree->setCurrentItem(w.Node(0));
    w.tree->scrollToItem(w.Node(0));
    QTest::mouseDClick(w.tree->viewport(), Qt::RightButton, {}, w.tree->visualItemRect(w.Node(0)).center());

    // Enter, or the keypad's, opens a leaf as a double-click does, and never ends the main window.
    w.tree->setFocus();
    for (QTreeWidgetItem* item : {memory, memory->child(1), w.Node(0)}) {
        w.tree->setCurrentItem(item);
        QTest::keyClick(w.tree, item == w.Node(0) ? Qt::Key_Enter : Qt::Key_Return);
    }
    EXPECT_EQ(captions, (QStringList{kMemory, QStringLiteral("System Information (Type 1)")}));
    EXPECT_TRUE(w.window.isVisible());
}

TEST(MainWindow, EndsOnExitOrEscapeAndAfterNoDmiFunctionWithoutATable)
{
    ShownWindow w({Structure(0, 0)});
    auto* exit = w.window.findChild<QPushButton*>(QStringLiteral("exitButton"));
    EXPECT_EQ(ExecAnd(w.window, [exit] { exit->click(); }), QDialog::Rejected);
    EXPECT_EQ(ExecAnd(w.window, [&w] { QTest::keyClick(&w.window, Qt::Key_Escape); }), QDialog::Rejected);

    MainWindow main(std::make_unique<CTableReader>(MakeSavedTableLocator(TestData("missing.bin"))), "lumetra");
    main.Logic().m_advice = "Run as root.";
    int shown = 0;
    ModalWatcher watcher([&](QWidget* window) {
        ++shown;
        auto* box = qobject_cast<QMessageBox*>(window);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QStringLiteral("No DMI Function"));
        EXPECT_EQ(box->windowTitle(), QStringLiteral("lumetra"));
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        EXPECT_EQ(box->parentWidget(), &main);
        // The reason and the way out, for a user who started the program from a menu.
        EXPECT_TRUE(box->detailedText().endsWith(QStringLiteral("missing.bin: No such file or directory\nRun as root.")))
            << box->detailedText().toStdString();
    });
    EXPECT_FALSE(main.Initialise());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(main.result(), kIdCancel); // the program ends with it: see cli_windows_test.cmake
}

TEST(MainWindow, AboutBoxFromTheContextMenuAndF1)
{
    ShownWindow w({Structure(0, 0), Structure(127, 1)});
    ASSERT_TRUE(w.ok);
    QStringList boxes;
    ModalWatcher watcher([&](QWidget* box) {
        auto* second = box->findChild<QLabel*>(QStringLiteral("secondLine"));
        boxes << box->windowTitle() + QLatin1Char('|') + (second ? second->text() : QString());
    });
    // A right-click in the tree brings up the window's menu; its item opens the box.
    QStringList menuItems;
    QTimer::singleShot(50, &w.window, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions())
            menuItems << action->text();
        menu->close();
        menu->actions().constFirst()->trigger();
    });
    QPoint at = w.tree->visualItemRect(w.Node(0)).center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, w.tree->viewport()->mapToGlobal(at));
    QApplication::sendEvent(w.tree->viewport(), &rightClick);
    EXPECT_EQ(menuItems, QStringList{QStringLiteral("&About Corvane...")});

    QApplication::setActiveWindow(&w.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    QTest::keyClick(&w.window, Qt::Key_F1);
    QString about = QStringLiteral("About Lumetra|SMBIOS 2.8, 2 structures");
    EXPECT_EQ(boxes, (QStringList{about, about}));
}
