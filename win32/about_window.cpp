#include "win32/about_window.h"

#include <commctrl.h>

#include <cstring>

size_t TemplateItemIndex(const DialogTemplate& dialogTemplate, const char* name)
{
    for (size_t i = 0; i < dialogTemplate.count; ++i)
        if (std::strcmp(dialogTemplate.items[i].name, name) == 0)
            return i;
    return dialogTemplate.count;
}

CAboutWindow::CAboutWindow(const std::string& secondLine, const std::string& problemLine,
                           const std::string& problems, HWND owner)
    : CDialog(kAboutTemplate, owner), m_problems(problems)
{
    // The two lines have no control id, as in the template: their texts go into it.
    SetItemText(TemplateItemIndex(kAboutTemplate, "secondLine"), secondLine);
    SetItemText(TemplateItemIndex(kAboutTemplate, "problemLine"), problemLine);
}

BOOL CAboutWindow::OnInitDialog()
{
    HWND line = ItemWindow(TemplateItemIndex(kAboutTemplate, "problemLine"));
    if (m_problems.empty() || line == nullptr)
        return TRUE;
    // A static text passes the mouse on to the dialog, so the tip watches the dialog
    // over the line's rectangle. It is the dialog's own window and goes with it.
    HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (tip == nullptr)
        return TRUE;
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = 1;
    GetWindowRect(line, &tool.rect);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&tool.rect), 2);
    tool.hinst = GetModuleHandleA(nullptr);
    tool.lpszText = const_cast<char*>(m_problems.c_str());
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    // One problem a line where the tip can wrap (comctl32 4.71 on); older ones show one line.
    SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, 600);
    return TRUE;
}
