#pragma once
// The detail window (template 103): one structure decoded into its report list by
// CDetailDlg, which drives the list through the Win32 list adapter.
#include <cstdint>

#include "decode/detail_dlg.h"
#include "win32/controls.h"
#include "win32/dialog.h"

class CDetailWindow : public CDialog {
public:
    // structure must be the reader's current structure.
    CDetailWindow(const uint8_t* structure, CTableReader* reader, HWND owner);

protected:
    BOOL OnInitDialog() override;
    INT_PTR WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Ctrl+C in the list: the selected rows go to the clipboard as text. With none
    // selected the clipboard keeps what it had.
    void CopySelectedRows();

    HWND m_listWindow = nullptr;
    Win32ListControl m_list;
    CDetailDlg m_logic;
};
