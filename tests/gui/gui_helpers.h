#pragma once
// Helpers for the widget tests: modal windows opened by the code under test are
// inspected and closed from a timer, since their run blocks the test.
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <ostream>

#include "qt/main_window.h"
#include "tests/table_builder.h"

// Readable failures: gtest finds this beside QString.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// Watches for modal windows while it lives: each one that comes up is passed to check,
// then closed.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QWidget*)> check) : m_check(std::move(check))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget* window = QApplication::activeModalWidget(); window && window->isVisible()) {
                m_check(window);
                window->close();
            }
        });
        m_timer.start(5);
    }
private:
    std::function<void(QWidget*)> m_check;
    QTimer m_timer;
};

// A double-click as a person makes it: press and release select, the second press double-clicks.
inline void DoubleClick(QWidget* widget, QPoint at)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
}

// Runs the window modally, does act once it is up, and gives its result. A fault that
// leaves the window open ends it with 99 within 5 s, so one test fails, not the suite.
inline int ExecAnd(QDialog& window, const std::function<void()>& act)
{
    QTimer::singleShot(0, &window, act);
    QTimer::singleShot(5000, &window, [&window] { window.done(99); });
    return window.exec();
}

// The main window over the structures, initialised, shown and active, as the program runs it.
struct ShownWindow {
    explicit ShownWindow(const std::vector<Bytes>& table) : ShownWindow(OpenTable(table)) {}
    explicit ShownWindow(std::unique_ptr<CTableReader> reader) : window(std::move(reader), "lumetra")
    {
        ok = window.Initialise();
        window.show();
        QApplication::setActiveWindow(&window);
        ok = ok && QTest::qWaitForWindowActive(&window);
        root = tree->topLevelItem(0);
    }
    QTreeWidgetItem* Node(int i) const { return root->child(i); }
    void DoubleClickItem(QTreeWidgetItem* item)
    {
        tree->scrollToItem(item);
        DoubleClick(tree->viewport(), tree->visualItemRect(item).center());
    }

    CMainWindow window;
    QTreeWidget* tree = window.Tree();
    bool ok = false;
    QTreeWidgetItem* root = nullptr;
};
