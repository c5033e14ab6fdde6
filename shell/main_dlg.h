#pragma once
// The main window's logic: it opens the table, builds the tree, and decides what a
// double-click and a system command open. The front ends lend it the tree and
// the message box and run the dialogs; the tests lend it recording fakes.
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

#include "reader/table_reader.h"
#include "shell/table_source.h"
#include "ui/message_box.h"
#include "ui/tree_control.h"

constexpr int kIdCancel = 2;           // the result the window ends with when there is no table
constexpr unsigned kIdmAboutBox = 0x10; // the About item's command; 0x10 to 0x1F all open it

enum class ReportFormat { Text, Json, Html };

// What a saving dialog offers for each report format: its filter and the suffix a
// name without one gets.
struct ReportKind {
    ReportFormat format;
    const char* filter;
    const char* suffix;
};
constexpr ReportKind kReportKinds[] = {
    {ReportFormat::Text, "Text (*.txt)", "txt"},
    {ReportFormat::Json, "JSON (*.json)", "json"},
    {ReportFormat::Html, "HTML (*.html *.htm)", "html"},
};
constexpr const char* kSavedTableFilters[] = {"Saved tables (*.bin smbios_entry_point DMI)", "All files (*)"};
constexpr const char* kSavedTableSuffix = "bin";

// The folder when path names the smbios_entry_point or DMI file of a copy of
// /sys/firmware/dmi/tables (both files beside each other); path itself otherwise.
std::string SavedTableLocation(const std::string& path);

// Runs the modal windows that the main window opens.
class IDialogRunner {
public:
    virtual ~IDialogRunner() = default;
    // structure is the reader's current structure while the detail window runs.
    virtual void RunDetail(const uint8_t* structure, CTableReader& reader) = 0;
    virtual void RunAbout() = 0;
};

class CMainDlg {
public:
    CMainDlg(std::unique_ptr<CTableReader> reader, ITreeControl& tree, IMessageBox& messageBox,
             IDialogRunner& runner)
        : m_reader(std::move(reader)), m_tree(tree), m_messageBox(messageBox), m_runner(runner)
    {
    }

    // Set by the caller before OnInitDialog.
    std::string m_appTitle;        // the message box's caption
    std::string m_computerName;    // the root's text for this machine's table
    std::ostream* m_log = nullptr; // gets the reader's reason when there is no table
    std::string m_advice;          // what to do when there is no table; may be empty

    // Opens the table and builds the tree. False when there is no table: the user has
    // been told, and the window must end at once with kIdCancel.
    bool OnInitDialog();
    // A double-click in the tree, or Enter: opens the selected leaf.
    void OnDblClk();
    void ShowDetail(TreeItem item);
    // True when the command was the About command and the About box has run.
    bool OnSysCommand(unsigned id);

    // Saved tables, opened and written from the main window's menu. Each says why in
    // the message box when it fails; opening keeps the table shown then.
    bool OpenSavedTable(const std::string& path);
    // The table shown, in the --dump-bin layout; path is replaced (the user was asked).
    bool SaveTable(const std::string& path);
    bool ExportReport(const std::string& path, ReportFormat format);

    CTableReader& Reader() { return *m_reader; }
    TreeItem Root() const { return m_root; }

private:
    void FillTree();

    std::unique_ptr<CTableReader> m_reader;
    ITreeControl& m_tree;
    IMessageBox& m_messageBox;
    IDialogRunner& m_runner;
    TreeItem m_root = kTreeRoot;
};

// "2.8" from the reader's version word.
std::string VersionText(const CTableReader& reader);
// The About box's second line: the version and size of the table shown.
std::string AboutSecondLine(const CTableReader& reader);
// The line under it when the table has problems, "" otherwise; ProblemsText has them
// all, one a line, for a tooltip.
std::string AboutProblemLine(const CTableReader& reader);
std::string ProblemsText(const CTableReader& reader);
// The main window's title: its template's caption, then " - " and the file's name when
// the table is a saved one. 8-bit text, as the tree's.
std::string MainWindowTitle(const char* caption, const CTableReader& reader);
// The application's title: the executable's file name without its extension.
std::string ApplicationTitle(const std::string& executablePath);
