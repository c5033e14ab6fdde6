#include "qt/about_window.h"

#include <QLabel>
#include <QPushButton>

#include "qt/resources.h"

CAboutWindow::CAboutWindow(const std::string& secondLine, const std::string& problemLine, const std::string& problems,
                     QWidget* parent)
    : QDialog(parent)
{
    BuildFromTemplate(*this, kAboutTemplate);
    findChild<QLabel*>(QStringLiteral("secondLine"))->setText(QString::fromLatin1(secondLine.c_str()));
    auto* problem = findChild<QLabel*>(QStringLiteral("problemLine"));
    problem->setText(QString::fromLatin1(problemLine.c_str()));
    problem->setToolTip(QString::fromLatin1(problems.c_str()));
    connect(findChild<QPushButton*>(QStringLiteral("okButton")), &QPushButton::clicked, this, &QDialog::accept);
}
