#pragma once
// The main window (template 102): the structure tree. CMainDlg decides; this window
// lends it the tree and the message box, and runs the dialogs it asks for.
#include <QDialog>
#include <memory>
#include <string>

#include "shell/main_dlg.h"
#include "qt/controls.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QTreeWidget;

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

private:
    void RunDetail(const uint8_t* structure, CTableReader& reader) override;
    void RunAbout() override;
    void ShowTitle();

    void AddSavedTableActions();
    void OnOpenSavedTable();
    void OnSaveTableAs();
    void OnExportReport();

    QTreeWidget* m_treeWidget;
    QtTreeControl m_tree;
    QtMessageBox m_messageBox;
    CMainDlg m_logic;
    QAction* m_about = nullptr;
};
