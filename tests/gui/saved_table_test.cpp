#include <gtest/gtest.h>

#include <QDir>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "qt/main_window.h"
#include "shell/dump_bin.h"
#include "tests/gui/gui_helpers.h"
#include "tests/table_builder.h"

// Opened through the dialog's function or dropped, a table replaces the one shown; one
// that cannot be read leaves it and says why.
TEST(MainWindow, SavedTablesOpenByPathAndByDropAndABadOneKeepsTheTableShown)
{
    CMainWindow w(OpenTable({Structure(0, 0)}), "lumetra");
    ASSERT_TRUE(w.Initialise());
    QStringList boxes;
    ModalWatcher watcher([&](QWidget* box) { boxes << qobject_cast<QMessageBox*>(box)->text(); });
    const struct {
        const char* path;
        bool drop;
        int structures, typeNodes; // shown after it
        const char* shown;         // the name in the title and the root after it
        const char* error;         // the end of the box's text; empty: no box
    } cases[] = {
        {"q35-workstation/dump.bin", false, 12, 11, "dump.bin", ""},
        {"missing.bin", false, 12, 11, "dump.bin", "missing.bin: No such file or directory"},
        {"sm3/sysfs/DMI", false, 9, 9, "sysfs", ""}, // a copied tables folder: its file opens the folder
        {"q35-workstation/dump.bin", true, 12, 11, "dump.bin", ""},
        {"../cases/README.md", true, 12, 11, "dump.bin", "README.md: no SMBIOS entry point anchor"},
        {"sm3/sysfs", true, 9, 9, "sysfs", ""},
    };
    for (const auto& c : cases) {
        boxes.clear();
        QString path = QString::fromStdString(TestData(c.path));
        if (c.drop) {
            QMimeData mime;
            mime.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(&w, &enter);
            EXPECT_TRUE(enter.isAccepted());
            QApplication::sendEvent(&w, &drop);
            QApplication::processEvents();
        } else {
            EXPECT_EQ(w.OpenPath(path), !*c.error);
        }
        EXPECT_EQ(w.Logic().Reader().IndexedCount(), size_t(c.structures)) << c.path;
        EXPECT_EQ(w.Tree()->topLevelItem(0)->childCount(), c.typeNodes);
        EXPECT_EQ(w.Tree()->topLevelItem(0)->text(0), QStringLiteral("Saved Table : ") + c.shown);
        EXPECT_TRUE(w.windowTitle().endsWith(QStringLiteral(" - ") + c.shown)) << w.windowTitle().toStdString();
        EXPECT_EQ(boxes.size(), *c.error ? 1 : 0);
        EXPECT_TRUE(!*c.error || boxes.value(0).endsWith(QString::fromLatin1(c.error))) << boxes.value(0).toStdString();
    }
}

// Saving writes beside the target and renames: an existing file is replaced whole, a
// failure leaves what was there, and no temporary file stays.
TEST(MainWindow, SaveTableAsReplacesAtomicallyAndExportWritesEachFormat)
{
    CMainWindow w(OpenTable({Structure(0, 0), Structure(127, 1)}), "lumetra");
    ASSERT_TRUE(w.Initialise());
    int boxes = 0;
    ModalWatcher watcher([&](QWidget*) { ++boxes; });
    QTemporaryDir dir;
    const QString table = dir.filePath("table.bin"), folder = dir.filePath("folder");
    auto contents = [&table] { QFile f(table); return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(); };
    ASSERT_TRUE(QDir(dir.path()).mkpath("folder/inside"));

    EXPECT_TRUE(w.SaveTableTo(table));       // a new file
    QFile(table).open(QIODevice::WriteOnly); // emptied, then replaced
    EXPECT_TRUE(w.SaveTableTo(table));
    std::vector<uint8_t> image = DumpBinImage(w.Logic().Reader());
    EXPECT_EQ(contents(), QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size())));
    EXPECT_FALSE(w.SaveTableTo(folder));     // a folder is not replaced
    EXPECT_TRUE(QFileInfo(folder + "/inside").isDir());
    EXPECT_FALSE(w.SaveTableTo(dir.filePath("none/table.bin")));
    EXPECT_EQ(boxes, 2);

    const std::pair<ReportFormat, const char*> reports[] = {
        {ReportFormat::Text, "SMBIOS 2.8 (_SM_) from "}, {ReportFormat::Json, "{\n"}, {ReportFormat::Html, "<!DOCTYPE html>\n"}};
    for (const auto& [format, start] : reports) {
        EXPECT_TRUE(w.ExportReportTo(table, format));
        EXPECT_TRUE(contents().startsWith(start)) << contents().left(40).toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"table.bin"}); // nothing else left
}
