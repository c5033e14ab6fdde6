#pragma once
// A small modal-dialog layer on the raw Win32 API: a dialog runs from one of the
// shared templates (res/dialog_templates.h), built in memory as a DLGTEMPLATEEX;
// OnInitDialog is the init hook, Bind ties a control's window to a member by id, and
// a dialog's messages go through its WindowProc, a plain switch.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "res/dialog_templates.h"

// The template's bytes: DLGTEMPLATEEX and its items, texts in UTF-16 as the format
// wants (the templates' texts are 8-bit and widened byte by byte). texts, when given,
// replaces the template's item texts by index; an empty string keeps the template's.
std::vector<WORD> BuildDialogTemplate(const DialogTemplate& dialogTemplate,
                                      const std::vector<std::string>& texts = {});

class CDialog {
public:
    explicit CDialog(const DialogTemplate& dialogTemplate, HWND owner = nullptr);
    virtual ~CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally; returns what EndDialog was given, or -1 when the
    // dialog could not be created.
    INT_PTR DoModal();
    HWND Handle() const { return m_hwnd; }
    const DialogTemplate& Template() const { return m_template; }

protected:
    // Binds the control with this id to *window when the dialog initialises, before OnInitDialog.
    void Bind(int id, HWND* window);
    // The item's text in the window made from the template (items without an id are
    // otherwise out of reach); call before DoModal.
    void SetItemText(size_t index, const std::string& text);
    // The window of the template's item at index (the dialog keeps them in template
    // order); null when there is none.
    HWND ItemWindow(size_t index) const;

    // The init hook. TRUE lets the system give the focus to the first tab stop.
    virtual BOOL OnInitDialog() { return TRUE; }
    // The message map. Returns what a dialog procedure returns: FALSE for the default
    // handling. A message that answers through DWLP_MSGRESULT uses SetResult.
    virtual INT_PTR WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    void SetResult(LRESULT result);
    void EndDialog(INT_PTR result);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    struct Binding {
        int id;
        HWND* window;
    };

    const DialogTemplate& m_template;
    HWND m_owner;
    HWND m_hwnd = nullptr;
    std::vector<Binding> m_bindings;
    std::vector<std::string> m_texts;
};
