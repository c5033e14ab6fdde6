#pragma once
// The About box (template 100).
#include <QDialog>
#include <string>

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // problemLine goes under the second line, with problems as its tooltip.
    explicit CAboutDlg(const std::string& secondLine, const std::string& problemLine = {},
                       const std::string& problems = {}, QWidget* parent = nullptr);
};
