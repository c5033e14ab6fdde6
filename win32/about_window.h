#pragma once
// The About box (template 100): the version line, the table's line, and the problem
// line when the table has problems, which shows them all in a tooltip.
#include <string>

#include "win32/dialog.h"

class CAboutWindow : public CDialog {
public:
    CAboutWindow(const std::string& secondLine, const std::string& problemLine, const std::string& problems,
                 HWND owner);

protected:
    BOOL OnInitDialog() override;

private:
    std::string m_problems;
};

// The index of the template's item with this name; the count when there is none.
size_t TemplateItemIndex(const DialogTemplate& dialogTemplate, const char* name);
