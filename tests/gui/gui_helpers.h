#pragma once
// Helpers for the widget tests: modal windows opened by the code under test are
// inspected and closed from a timer, since their run blocks the test.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QTest>
#include <functional>
#include <ostream>

// Readable failures: gtest finds this beside QString.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// Watches for modal windows while it lives: each one that comes up is passed to check,
// then closed. Seen() counts them.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QWidget*)> check = {}) : m_check(std::move(check))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget* window = QApplication::activeModalWidget(); window && window->isVisible()) {
                ++m_seen;
                if (m_check)
                    m_check(window);
                window->close();
            }
        });
        m_timer.start(5);
    }
    int Seen() const { return m_seen; }

private:
    std::function<void(QWidget*)> m_check;
    QTimer m_timer;
    int m_seen = 0;
};

// A double-click as a person makes it: press and release select, the second press double-clicks.
inline void DoubleClick(QWidget* widget, QPoint at)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
}
