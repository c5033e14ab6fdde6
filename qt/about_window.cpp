#include "qt/about_window.h"

#include <QLabel>
#include <QPushButton>

#include "qt/resources.h"

CAboutDlg::CAboutDlg(const std::string& secondLine, QWidget* parent) : QDialog(parent)
{
    BuildFromTemplate(*this, kAboutTemplate);
    findChild<QLabel*>(QStringLiteral("secondLine"))->setText(QString::fromLatin1(secondLine.c_str()));
    connect(findChild<QPushButton*>(QStringLiteral("okButton")), &QPushButton::clicked, this, &QDialog::accept);
}
