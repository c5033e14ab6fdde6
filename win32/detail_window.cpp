#include "win32/detail_window.h"

#include <cstring>
#include <string>

CDetailWindow::CDetailWindow(const uint8_t* structure, CTableReader* reader, HWND owner)
    : CDialog(kDetailTemplate, owner), m_logic(m_list)
{
    Bind(kIdcList, &m_listWindow);
    m_logic.SetStructure(structure, reader);
}

BOOL CDetailWindow::OnInitDialog()
{
    m_list.Attach(m_listWindow);
    m_logic.OnInitDialog();
    SetWindowTextA(Handle(), m_logic.Caption());
    return TRUE;
}

INT_PTR CDetailWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == m_listWindow && header->code == LVN_KEYDOWN &&
            reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == 'C' && GetKeyState(VK_CONTROL) < 0) {
            CopySelectedRows();
            return TRUE;
        }
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CDetailWindow::CopySelectedRows()
{
    const std::string text = m_list.SelectedRowsText();
    if (text.empty() || !OpenClipboard(Handle()))
        return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    char* bytes = memory ? static_cast<char*>(GlobalLock(memory)) : nullptr;
    if (bytes) {
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        // Once set, the clipboard owns the memory.
        if (SetClipboardData(CF_TEXT, memory))
            memory = nullptr;
    }
    if (memory)
        GlobalFree(memory);
    CloseClipboard();
}
