#pragma once
// The main window (template 102): the structure tree. CMainDlg decides; this window
// lends it the tree and the message box, and runs the dialogs it asks for.
#include <QDialog>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "shell/find.h"
#include "shell/main_dlg.h"
#include "qt/controls.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

class CMainWindow : public QDialog, private IDialogRunner {
    Q_OBJECT
public:
    CMainWindow(std::unique_ptr<CTableReader> reader, const std::string& appTitle, QWidget* parent = nullptr);

    // Opens the table and fills the tree. False when there is none: the user has been
    // told, the result is kIdCancel, and the window must not run.
    bool Initialise();

    CMainDlg& Logic() { return m_logic; }
    QTreeWidget* Tree() const { return m_treeWidget; }

    // Saved tables: each menu item's dialog passes the path it chose to one of these.
    bool OpenPath(const QString& path);
    bool SaveTableTo(const QString& path);
    bool ExportReportTo(const QString& path, ReportFormat format);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A file or a copied tables folder dropped on the window opens it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void RunDetail(const uint8_t* structure, CTableReader& reader) override;
    void RunAbout() override;
    void ShowTitle();

    void AddSavedTableActions();
    void OnOpenSavedTable();
    void OnSaveTableAs();
    void OnExportReport();

    // Find (Ctrl+F, F3, Shift+F3) and Summary (Ctrl+I): the logic is in shell/find and
    // shell/summary; these only move it into widgets.
    void AddFindAndSummary();
    void OpenFind();
    void CloseFind();
    // step 0 selects the first match (as the user types), 1 the next after the selected
    // node, -1 the one before it, wrapping around.
    void FindStep(int step);
    // Enter on a found node: its detail window with the matching row selected. False
    // when the node is no match.
    bool OpenFoundStructure();
    bool FindFieldKey(QKeyEvent* key);
    std::vector<FindMatch> FindMatches();
    std::pair<int, int> TreePlace(QTreeWidgetItem* item) const; // as FindMatch's typeNode, instance
    void TakeTreeBottom(bool take);
    void ShowSummary();

    QTreeWidget* m_treeWidget;
    QtTreeControl m_tree;
    QtMessageBox m_messageBox;
    CMainDlg m_logic;
    QAction* m_about = nullptr;

    QWidget* m_findBar = nullptr;
    QLineEdit* m_findField = nullptr;
    QLabel* m_findStatus = nullptr;
    int m_findTaken = 0; // the tree's height the open find bar takes
    QAction* m_summary = nullptr;
};
