#pragma once
// The About box (template 100): the version line, the table's line, and the problem
// line when the table has problems.
#include <string>

#include "win32/dialog.h"

class CAboutWindow : public CDialog {
public:
    CAboutWindow(const std::string& secondLine, const std::string& problemLine, HWND owner);
};

// The index of the template's item with this name; the count when there is none.
size_t TemplateItemIndex(const DialogTemplate& dialogTemplate, const char* name);
