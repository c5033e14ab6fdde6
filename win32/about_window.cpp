#include "win32/about_window.h"

#include <cstring>

size_t TemplateItemIndex(const DialogTemplate& dialogTemplate, const char* name)
{
    for (size_t i = 0; i < dialogTemplate.count; ++i)
        if (std::strcmp(dialogTemplate.items[i].name, name) == 0)
            return i;
    return dialogTemplate.count;
}

CAboutWindow::CAboutWindow(const std::string& secondLine, const std::string& problemLine, HWND owner)
    : CDialog(kAboutTemplate, owner)
{
    // The two lines have no control id, as in the template: their texts go into it.
    SetItemText(TemplateItemIndex(kAboutTemplate, "secondLine"), secondLine);
    SetItemText(TemplateItemIndex(kAboutTemplate, "problemLine"), problemLine);
}
