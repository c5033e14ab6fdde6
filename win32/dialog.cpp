#include "win32/dialog.h"

#include <commctrl.h>

// The shared templates carry the styles as plain numbers; they must be windows.h's.
static_assert(tpl::kPopup == WS_POPUP && tpl::kChild == WS_CHILD && tpl::kVisible == WS_VISIBLE &&
              tpl::kCaption == WS_CAPTION && tpl::kBorder == WS_BORDER && tpl::kSysMenu == WS_SYSMENU &&
              tpl::kGroup == WS_GROUP && tpl::kTabStop == WS_TABSTOP && tpl::kModalFrame == DS_MODALFRAME &&
              tpl::kExAppWindow == WS_EX_APPWINDOW);
static_assert(tpl::kPushButton == BS_PUSHBUTTON && tpl::kDefPushButton == BS_DEFPUSHBUTTON &&
              tpl::kLeftText == SS_LEFT && tpl::kIconImage == SS_ICON && tpl::kNoPrefix == SS_NOPREFIX &&
              tpl::kTreeButtons == TVS_HASBUTTONS && tpl::kTreeLines == TVS_HASLINES &&
              tpl::kTreeLinesAtRoot == TVS_LINESATROOT && tpl::kListReport == LVS_REPORT);

namespace {

constexpr WORD kAtomButton = 0x0080;
constexpr WORD kAtomStatic = 0x0082;

class TemplateWriter {
public:
    void Word(WORD value) { m_words.push_back(value); }
    void Dword(DWORD value)
    {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    // 8-bit text widened byte by byte: the templates' texts are Latin-1.
    void Text(const char* text)
    {
        for (const char* c = text ? text : ""; *c; ++c)
            Word(static_cast<unsigned char>(*c));
        Word(0);
    }
    void Ordinal(WORD value)
    {
        Word(0xFFFF);
        Word(value);
    }
    void AlignDword()
    {
        if (m_words.size() % 2)
            Word(0);
    }
    std::vector<WORD> Take() { return std::move(m_words); }

private:
    std::vector<WORD> m_words;
};

} // namespace

std::vector<WORD> BuildDialogTemplate(const DialogTemplate& dialogTemplate, const std::vector<std::string>& texts)
{
    TemplateWriter out;
    DWORD style = dialogTemplate.style;
    if (dialogTemplate.font)
        style |= DS_SETFONT;
    out.Word(1);      // dlgVer
    out.Word(0xFFFF); // signature: the extended template
    out.Dword(0);     // helpID
    out.Dword(dialogTemplate.exStyle);
    out.Dword(style);
    out.Word(static_cast<WORD>(dialogTemplate.count));
    out.Word(0); // x, y: the templates place every window at 0, 0
    out.Word(0);
    out.Word(static_cast<WORD>(dialogTemplate.cx));
    out.Word(static_cast<WORD>(dialogTemplate.cy));
    out.Word(0); // no menu
    out.Word(0); // the dialog class
    out.Text(dialogTemplate.caption);
    if (dialogTemplate.font) {
        out.Word(static_cast<WORD>(dialogTemplate.pointSize));
        out.Word(FW_NORMAL);
        out.Word(MAKEWORD(FALSE, DEFAULT_CHARSET)); // italic, charset
        out.Text(dialogTemplate.font);
    }
    for (size_t i = 0; i < dialogTemplate.count; ++i) {
        const TemplateItem& item = dialogTemplate.items[i];
        out.AlignDword();
        out.Dword(0); // helpID
        out.Dword(item.exStyle);
        out.Dword(item.style);
        out.Word(static_cast<WORD>(item.x));
        out.Word(static_cast<WORD>(item.y));
        out.Word(static_cast<WORD>(item.cx));
        out.Word(static_cast<WORD>(item.cy));
        out.Dword(static_cast<DWORD>(item.id));
        switch (item.kind) {
        case TemplateItemKind::PushButton:
        case TemplateItemKind::DefPushButton:
            out.Ordinal(kAtomButton);
            break;
        case TemplateItemKind::Text:
        case TemplateItemKind::Icon:
            out.Ordinal(kAtomStatic);
            break;
        case TemplateItemKind::TreeView:
            out.Text(WC_TREEVIEWA);
            break;
        case TemplateItemKind::ListView:
            out.Text(WC_LISTVIEWA);
            break;
        }
        if (item.kind == TemplateItemKind::Icon)
            out.Ordinal(static_cast<WORD>(item.icon));
        else if (i < texts.size() && !texts[i].empty())
            out.Text(texts[i].c_str());
        else
            out.Text(item.text);
        out.Word(0); // no creation data
    }
    return out.Take();
}

CDialog::CDialog(const DialogTemplate& dialogTemplate, HWND owner) : m_template(dialogTemplate), m_owner(owner)
{
}

INT_PTR CDialog::DoModal()
{
    std::vector<WORD> bytes = BuildDialogTemplate(m_template, m_texts);
    return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                                   m_owner, DialogProc, reinterpret_cast<LPARAM>(this));
}

void CDialog::Bind(int id, HWND* window)
{
    m_bindings.push_back({id, window});
}

void CDialog::SetItemText(size_t index, const std::string& text)
{
    if (m_texts.size() <= index)
        m_texts.resize(index + 1);
    m_texts[index] = text;
}

HWND CDialog::ItemWindow(size_t index) const
{
    HWND child = m_hwnd ? GetWindow(m_hwnd, GW_CHILD) : nullptr;
    for (; child && index > 0; --index)
        child = GetWindow(child, GW_HWNDNEXT);
    return child;
}

INT_PTR CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL: // the Cancel button, Esc and the close box
            EndDialog(LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void CDialog::SetResult(LRESULT result)
{
    SetWindowLongPtrA(m_hwnd, DWLP_MSGRESULT, result);
}

void CDialog::EndDialog(INT_PTR result)
{
    ::EndDialog(m_hwnd, result);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        dialog->m_hwnd = hwnd;
        for (const Binding& binding : dialog->m_bindings)
            *binding.window = GetDlgItem(hwnd, binding.id);
        return dialog->OnInitDialog();
    }
    // Messages before WM_INITDIALOG (WM_SETFONT and the like) find no dialog yet.
    auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;
    INT_PTR result = dialog->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        dialog->m_hwnd = nullptr;
    }
    return result;
}
