#pragma once
// The dialog framework's message box: the text, an OK button and the warning icon
// (the framework's choice when none is asked for), owned by the window that shows it.
// Texts are 8-bit, as everywhere.
#include <string>

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual void Show(const std::string& text, const std::string& caption) = 0;
    // The same, with details that the box offers on request: for a user who started
    // the program from a menu and sees no standard error. A box without room for
    // them shows the text alone.
    virtual void ShowDetailed(const std::string& text, const std::string& caption, const std::string& details)
    {
        (void)details;
        Show(text, caption);
    }
};
