#include <gtest/gtest.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

#include "res/string_table.h"
#include "shell/main_window.h"
#include "shell/viewer_app.h"
#include "tests/gui/gui_helpers.h"
#include "tests/table_builder.h"

namespace {

// An unopened reader over the structures, as the program has one before the window starts.
std::unique_ptr<CTableReader> Table(const std::vector<Bytes>& structures)
{
    auto n = static_cast<uint16_t>(structures.size());
    return std::make_unique<CTableReader>(std::make_unique<MemoryLocator>(EntryPointSm(0, n), Concat(structures)));
}

std::unique_ptr<CTableReader> NoTable()
{
    return std::make_unique<CTableReader>(MakeSavedTableLocator(TestData("missing.bin")));
}

struct ShownWindow {
    explicit ShownWindow(std::unique_ptr<CTableReader> reader) : window(std::move(reader), "lumetra")
    {
        ok = window.Initialise();
        window.show();
        QApplication::setActiveWindow(&window);
        ok = ok && QTest::qWaitForWindowActive(&window);
        tree = window.findChild<QTreeWidget*>(QStringLiteral("tree"));
        root = tree->topLevelItem(0);
    }
    QTreeWidgetItem* Node(int i) const { return root->child(i); }
    void DoubleClickItem(QTreeWidgetItem* item)
    {
        tree->scrollToItem(item);
        DoubleClick(tree->viewport(), tree->visualItemRect(item).center());
    }

    MainWindow window;
    bool ok = false;
    QTreeWidget* tree = nullptr;
    QTreeWidgetItem* root = nullptr;
};

QStringList ChildTexts(QTreeWidgetItem* item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts << item->child(i)->text(0);
    return texts;
}

int Role(QTreeWidgetItem* item, int role)
{
    return item->data(0, role).toInt();
}

} // namespace

TEST(MainWindow, TemplateTextsColourImagesAndIcon)
{
    ShownWindow w(Table({Structure(0, 0), Structure(17, 0x1100), Structure(17, 0x1101)}));
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Mainboard Lumetra Ver.1.0 for Win9x/NT4/2000/XP"));
    EXPECT_EQ(w.window.objectName(), QStringLiteral("mainWindow"));
    EXPECT_FALSE(w.window.windowIcon().isNull());
    auto* exit = w.window.findChild<QPushButton*>(QStringLiteral("exitButton"));
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->text(), QStringLiteral("Exit"));
    EXPECT_TRUE(exit->hasFocus());

    EXPECT_EQ(w.tree->palette().color(QPalette::Base), QColor(255, 255, 180));
    EXPECT_EQ(w.tree->iconSize(), QSize(32, 20));
    EXPECT_TRUE(w.root->text(0).startsWith(QStringLiteral("Computer Name : ")));
    EXPECT_TRUE(w.root->isExpanded());
    EXPECT_EQ(Role(w.root, QtTreeControl::kImageRole), 0);
    EXPECT_EQ(Role(w.root, QtTreeControl::kSelectedImageRole), 1);
    QTreeWidgetItem* memory = w.Node(1);
    EXPECT_FALSE(memory->isExpanded());
    for (QTreeWidgetItem* item : {w.Node(0), memory, memory->child(0)}) {
        EXPECT_EQ(Role(item, QtTreeControl::kImageRole), 2);
        EXPECT_EQ(Role(item, QtTreeControl::kSelectedImageRole), 3);
        EXPECT_FALSE(item->icon(0).isNull());
    }
}

TEST(MainWindow, OneStructureOfEachTypeGivesLeavesThatOpenTheirDetailWindow)
{
    // Listed out of order; the tree sorts by type. 200 is an OEM type.
    std::vector<int> types = {200, 127, 126, 32};
    for (int type = 23; type >= 0; --type)
        types.push_back(type);
    std::vector<Bytes> table;
    for (int type : types)
        table.push_back(Structure(static_cast<uint8_t>(type), static_cast<uint16_t>(0x100 + type)));
    ShownWindow w(Table(table));
    ASSERT_TRUE(w.ok);
    ASSERT_EQ(w.root->childCount(), static_cast<int>(types.size()));

    QStringList captions;
    ModalWatcher watcher([&](QWidget* detail) { captions << detail->windowTitle(); });
    QStringList expected;
    for (int i = 0; i < w.root->childCount(); ++i) {
        QTreeWidgetItem* node = w.Node(i);
        EXPECT_EQ(node->childCount(), 0) << i;
        w.DoubleClickItem(node);
        expected << QString::fromLatin1(LoadResString(kIdsCaptionBase + types[types.size() - 1 - i]));
    }
    EXPECT_EQ(watcher.Seen(), w.root->childCount());
    EXPECT_EQ(captions, expected);
    EXPECT_EQ(w.Node(0)->text(0), QStringLiteral("BIOS Information (Type 0)"));
    EXPECT_EQ(w.Node(24)->text(0), QStringLiteral("System Boot Information (Type 32)"));
    EXPECT_EQ(w.Node(27)->text(0), QStringLiteral("Unknown DMI Type"));
    EXPECT_EQ(captions.last(), QString()); // type 200 has no caption
}

TEST(MainWindow, ThreeInstancesGiveThreeChildrenAndTheTypeNodeOnlyToggles)
{
    ShownWindow w(Table({Structure(17, 0x1100), Structure(0, 0), Structure(17, 0x1101), Structure(17, 0x1102),
                         Structure(24, 0x1800)}));
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(ChildTexts(w.root), (QStringList{QStringLiteral("BIOS Information (Type 0)"),
                                               QStringLiteral("Memory Device (Type 17)"),
                                               QStringLiteral("Unknown DMI Type")}));
    QTreeWidgetItem* memory = w.Node(1);
    EXPECT_EQ(ChildTexts(memory), (QStringList{QStringLiteral("Memory Device (Type 17) #.0"),
                                               QStringLiteral("Memory Device (Type 17) #.1"),
                                               QStringLiteral("Memory Device (Type 17) #.2")}));

    ModalWatcher watcher;
    w.DoubleClickItem(memory);
    EXPECT_EQ(watcher.Seen(), 0);
    EXPECT_TRUE(memory->isExpanded());
    w.DoubleClickItem(memory);
    EXPECT_FALSE(memory->isExpanded());
    EXPECT_EQ(watcher.Seen(), 0);
}

TEST(MainWindow, EnterOpensALeafAndNothingOpensWithoutASelection)
{
    ShownWindow w(Table({Structure(17, 0x1100), Structure(17, 0x1101), Structure(1, 0x0100)}));
    ASSERT_TRUE(w.ok);
    QStringList captions;
    ModalWatcher watcher([&](QWidget* detail) { captions << detail->windowTitle(); });

    // Nothing selected: a double-click below the items opens nothing.
    w.tree->clearSelection();
    w.tree->setCurrentItem(nullptr);
    QTest::mouseDClick(w.tree->viewport(), Qt::LeftButton, {}, QPoint(10, w.tree->viewport()->height() - 5));
    EXPECT_EQ(watcher.Seen(), 0);

    // Enter on a node with children opens nothing and does not end the window.
    w.tree->setFocus();
    w.tree->setCurrentItem(w.Node(1));
    QTest::keyClick(w.tree, Qt::Key_Return);
    EXPECT_EQ(watcher.Seen(), 0);
    EXPECT_TRUE(w.window.isVisible());

    w.Node(1)->setExpanded(true);
    w.tree->setCurrentItem(w.Node(1)->child(1));
    QTest::keyClick(w.tree, Qt::Key_Return);
    w.tree->setCurrentItem(w.Node(0));
    QTest::keyClick(w.tree, Qt::Key_Enter);
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Memory Device (Type 17)"),
                                     QStringLiteral("System Information (Type 1)")}));
    EXPECT_TRUE(w.window.isVisible());
}

TEST(MainWindow, NoTableShowsNoDmiFunctionAndTheProgramEnds)
{
    {
        MainWindow window(NoTable(), "lumetra");
        ModalWatcher watcher([&](QWidget* shown) {
            auto* box = qobject_cast<QMessageBox*>(shown);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), QStringLiteral("No DMI Function"));
            EXPECT_EQ(box->windowTitle(), QStringLiteral("lumetra"));
            EXPECT_EQ(box->icon(), QMessageBox::Warning);
            EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
            EXPECT_EQ(box->parentWidget(), &window);
        });
        EXPECT_FALSE(window.Initialise());
        EXPECT_EQ(watcher.Seen(), 1);
        EXPECT_EQ(window.result(), 2);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(window.Tree()->topLevelItemCount(), 0);
    }

    // The application ends with a failure status without showing its window...
    ModalWatcher appWatcher([](QWidget* shown) { EXPECT_NE(qobject_cast<QMessageBox*>(shown), nullptr); });
    EXPECT_EQ(CViewerApp(NoTable(), "lumetra").InitInstance(), 1);
    EXPECT_EQ(appWatcher.Seen(), 1);
}

TEST(MainWindow, WithATableTheApplicationRunsTheWindowUntilItCloses)
{
    QString title;
    ModalWatcher watcher([&](QWidget* shown) { title = shown->windowTitle(); });
    EXPECT_EQ(CViewerApp(Table({Structure(0, 0)}), "lumetra").InitInstance(), 0);
    EXPECT_EQ(watcher.Seen(), 1);
    EXPECT_EQ(title, QStringLiteral("Mainboard Lumetra Ver.1.0 for Win9x/NT4/2000/XP"));
}

TEST(MainWindow, ExitAndEscapeEndTheWindow)
{
    for (bool escape : {false, true}) {
        MainWindow window(Table({Structure(0, 0)}), "lumetra");
        ASSERT_TRUE(window.Initialise());
        QTimer::singleShot(0, &window, [&] {
            if (escape)
                QTest::keyClick(&window, Qt::Key_Escape);
            else
                window.findChild<QPushButton*>(QStringLiteral("exitButton"))->click();
        });
        QTimer::singleShot(5000, &window, [&] { window.done(99); }); // a fault ends the test, not the suite
        EXPECT_EQ(window.exec(), QDialog::Rejected) << escape;
    }
}

TEST(MainWindow, AboutCommandFromTheContextMenuAndF1)
{
    ShownWindow w(Table({Structure(0, 0), Structure(127, 1)}));
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.window.contextMenuPolicy(), Qt::ActionsContextMenu);
    ASSERT_EQ(w.window.actions().size(), 1);
    QAction* about = w.window.actions().first();
    EXPECT_EQ(about->text(), QStringLiteral("&About Corvane..."));

    QStringList seen;
    ModalWatcher watcher([&](QWidget* box) {
        seen << box->windowTitle();
        EXPECT_EQ(box->objectName(), QStringLiteral("aboutBox"));
        auto* version = box->findChild<QLabel*>(QStringLiteral("version"));
        auto* second = box->findChild<QLabel*>(QStringLiteral("secondLine"));
        ASSERT_TRUE(version && second);
        EXPECT_EQ(version->text(), QStringLiteral("Mainboard Lumetra Ver.1.0"));
        EXPECT_EQ(second->text(), QStringLiteral("SMBIOS 2.8, 2 structures"));
        EXPECT_FALSE(box->findChild<QLabel*>(QStringLiteral("icon"))->pixmap().isNull());
        auto* ok = box->findChild<QPushButton*>(QStringLiteral("okButton"));
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), QStringLiteral("OK"));
        EXPECT_TRUE(ok->isDefault());
    });
    // A right-click in the tree brings up the window's menu; its item opens the box.
    QStringList menuItems;
    QTimer::singleShot(50, &w.window, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* action : menu->actions())
                menuItems << action->text();
            QAction* chosen = menu->actions().value(0);
            menu->close();
            if (chosen)
                chosen->trigger();
        }
    });
    QPoint at = w.tree->visualItemRect(w.Node(0)).center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, w.tree->viewport()->mapToGlobal(at));
    QApplication::sendEvent(w.tree->viewport(), &rightClick);
    EXPECT_EQ(menuItems, QStringList{QStringLiteral("&About Corvane...")});

    QApplication::setActiveWindow(&w.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    QTest::keyClick(&w.window, Qt::Key_F1);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("About Lumetra"), QStringLiteral("About Lumetra")}));
}
