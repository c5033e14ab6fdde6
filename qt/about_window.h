#pragma once
// The About box (template 100).
#include <QDialog>
#include <string>

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(const std::string& secondLine, QWidget* parent = nullptr);
};
