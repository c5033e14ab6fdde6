#include "win32/detail_window.h"

CDetailWindow::CDetailWindow(const uint8_t* structure, CTableReader* reader, HWND owner)
    : CDialog(kDetailTemplate, owner), m_logic(m_list)
{
    Bind(kIdcList, &m_listWindow);
    m_logic.m_pStruct = structure;
    m_logic.m_pReader = reader;
}

BOOL CDetailWindow::OnInitDialog()
{
    m_list.Attach(m_listWindow);
    m_logic.OnInitDialog();
    SetWindowTextA(Handle(), m_logic.Caption().c_str());
    return TRUE;
}
