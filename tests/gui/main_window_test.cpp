#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

#include "tests/gui/gui_helpers.h"

namespace {

const QString kMemory = QStringLiteral("Memory Device (Type 17)");

} // namespace

TEST(MainWindow, OneStructureOfEachTypeGivesLeavesInTypeOrderThatOpenTheirDetailWindow)
{
    // Listed out of order; handles are the types. 60 has no name of its own, 200 is an OEM type.
    ShownWindow w({Structure(200, 200), Structure(127, 127), Structure(60, 60), Structure(17, 17),
                   Structure(12, 12), Structure(0, 0)});
    ASSERT_TRUE(w.ok);
    QStringList captions;
    ModalWatcher watcher([&](QWidget* detail) { captions << detail->windowTitle(); });
    for (int i = 0; i < w.root->childCount(); ++i) {
        EXPECT_EQ(w.Node(i)->childCount(), 0) << i;
        w.DoubleClickItem(w.Node(i));
    }
    EXPECT_EQ(captions, (QStringList{"BIOS Information (Type 0)", "System Cnfiguration Options (Type 12)",
                                     "Memory Device (Type 17)", "", "End-of-Table (Type 127)", ""}));
    EXPECT_EQ(w.Node(3)->text(0), QStringLiteral("Unknown DMI Type"));
}

TEST(MainWindow, EndsOnExitOrEscapeAndAfterNoDmiFunctionWithoutATable)
{
    ShownWindow w({Structure(0, 0)});
    auto* exit = w.window.findChild<QPushButton*>(QStringLiteral("exitButton"));
    EXPECT_EQ(ExecAnd(w.window, [exit] { exit->click(); }), QDialog::Rejected);
    EXPECT_EQ(ExecAnd(w.window, [&w] { QTest::keyClick(&w.window, Qt::Key_Escape); }), QDialog::Rejected);

    CMainWindow main(std::make_unique<CTableReader>(MakeSavedTableLocator(TestData("missing.bin"))), "lumetra");
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
            menuItems << action->text() + QLatin1Char('|') + action->shortcut().toString();
        menu->close();
        menu->actions().constLast()->trigger();
    });
    QPoint at = w.tree->visualItemRect(w.Node(0)).center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, w.tree->viewport()->mapToGlobal(at));
    QApplication::sendEvent(w.tree->viewport(), &rightClick);
    EXPECT_EQ(menuItems, (QStringList{"&Open Saved Table...|Ctrl+O", "&Save Table As...|Ctrl+S",
                                      "&Export Report...|Ctrl+E", "|", "&Find...|Ctrl+F", "&Summary|Ctrl+I",
                                      "&About Corvane...|F1"}));

    QApplication::setActiveWindow(&w.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    QTest::keyClick(&w.window, Qt::Key_F1);
    QString about = QStringLiteral("About Lumetra|SMBIOS 2.8, 2 structures");
    EXPECT_EQ(boxes, (QStringList{about, about}));
}

TEST(MainWindow, ABrokenTableWarnsOnTheRootAndInTheAboutBox)
{
    auto reader = OpenBrokenTable();
    QString problem = QString::fromStdString(reader->Problems().at(0));
    ShownWindow w(std::move(reader));
    ASSERT_TRUE(w.ok);
    EXPECT_TRUE(w.root->data(0, QtTreeControl::kWarningRole).toBool());
    EXPECT_TRUE(w.root->toolTip(0).startsWith(problem + QLatin1Char('\n'))) << w.root->toolTip(0).toStdString();
    QString line, tip;
    ModalWatcher watcher([&](QWidget* box) {
        auto* label = box->findChild<QLabel*>(QStringLiteral("problemLine"));
        line = label->text();
        tip = label->toolTip();
    });
    QTest::keyClick(&w.window, Qt::Key_F1);
    EXPECT_EQ(line, QStringLiteral("2 problems found while reading this table"));
    EXPECT_TRUE(tip.startsWith(problem));
}

// A saved table is named in the root and the title instead of the computer.
TEST(MainWindow, SavedTableNamesItsFolder)
{
    ShownWindow w(std::make_unique<CTableReader>(MakeSavedTableLocator(TestData("sm3/sysfs/"))));
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.root->text(0), QStringLiteral("Saved Table : sysfs"));
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Mainboard Lumetra Ver.1.0 for Win9x/NT4/2000/XP - sysfs"));
}

// The looks that the windows must have, written down once.
TEST(Windows, LooksOfTheMainAndDetailWindows)
{
    ShownWindow w({Structure(1, 0)});
    QDialog* detail = nullptr;
    QString detailBase;
    ModalWatcher watcher([&](QWidget* window) {
        detail = qobject_cast<QDialog*>(window);
        detailBase = window->findChild<QWidget*>(QStringLiteral("list"))->palette().color(QPalette::Base).name();
    });
    w.DoubleClickItem(w.Node(0));
    ASSERT_NE(detail, nullptr);
    const std::pair<QString, QString> looks[] = {
        {w.window.windowTitle(), "Mainboard Lumetra Ver.1.0 for Win9x/NT4/2000/XP"},
        {w.tree->palette().color(QPalette::Base).name(), "#ffffb4"}, // pale yellow
        {QString::number(w.tree->iconSize().width()) + "x" + QString::number(w.tree->iconSize().height()), "32x20"},
        {detailBase, "#c8ffc8"}, // pale green
        {w.window.windowIcon().isNull() ? "no icon" : "icon", "icon"},
    };
    for (const auto& [actual, expected] : looks)
        EXPECT_EQ(actual, expected);
}
