#pragma once
// The main window (template 102): the structure tree. CMainDlg decides; this window
// lends it the tree and the message box, and runs the dialogs it asks for.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "shell/main_dlg.h"
#include "win32/controls.h"
#include "win32/dialog.h"

// The system menu's commands for saved tables, before the About item; as system
// commands their low four bits are the system's.
constexpr unsigned kIdmOpenSavedTable = 0x20;
constexpr unsigned kIdmSaveTable = 0x30;
constexpr unsigned kIdmExportReport = 0x40;

class CMainWindow : public CDialog, private IDialogRunner {
public:
    CMainWindow(std::unique_ptr<CTableReader> reader, const std::string& appTitle);
    ~CMainWindow() override;

    CMainDlg& Logic() { return m_logic; }

protected:
    BOOL OnInitDialog() override;
    INT_PTR WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void RunDetail(const uint8_t* structure, CTableReader& reader) override;
    void RunAbout() override;
    void AddSystemMenuItems();
    // The saved-table commands through the common dialogs; false for another command.
    bool OnSavedTableCommand(unsigned id);
    void ShowTitle();
    void CreateImageList();
    // The warning sign as the image list's overlay Win32TreeControl::kWarningOverlay,
    // after the tree's images, which keep their indices.
    void AddWarningOverlay();
    void PaintIcon();

    HWND m_treeWindow = nullptr;
    Win32TreeControl m_tree;
    Win32MessageBox m_messageBox;
    CMainDlg m_logic;
    HICON m_icon;
    HIMAGELIST m_images = nullptr;
};
