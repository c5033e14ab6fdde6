#pragma once
// The About box (template 100).
#include <QDialog>
#include <string>

class CAboutWindow : public QDialog {
    Q_OBJECT
public:
    // problemLine goes under the second line, with problems as its tooltip.
    explicit CAboutWindow(const std::string& secondLine, const std::string& problemLine = {},
                       const std::string& problems = {}, QWidget* parent = nullptr);
};
