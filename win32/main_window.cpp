#include "win32/main_window.h"

#include <commdlg.h>

#include <iterator>
#include <string>

#include "platform/computer_name.h"
#include "res/string_table.h"
#include "shell/tree_builder.h"
#include "win32/about_window.h"
#include "win32/detail_window.h"

namespace {

HICON LoadIconResource(int id)
{
    return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
}

// Appends "Name (*.a *.b)" to a common dialog's filter list as the name, a zero, the
// patterns joined by ';' and a zero; c_str's own zero then ends the list.
void AddFilter(std::string& list, const char* filter)
{
    std::string text = filter;
    size_t open = text.rfind('(');
    std::string patterns = text.substr(open + 1, text.size() - open - 2);
    for (char& c : patterns)
        c = c == ' ' ? ';' : c;
    list += text + '\0' + patterns + '\0';
}

// The report format of the export dialog's filter (counted from 1); the first for none.
const ReportKind& KindOfFilter(DWORD filterIndex)
{
    return kReportKinds[filterIndex >= 1 && filterIndex <= std::size(kReportKinds) ? filterIndex - 1 : 0];
}

// The dialogs of Windows 95 and NT 4.0 keep the default suffix whatever the filter;
// here it follows the report format chosen.
UINT_PTR CALLBACK ExportDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    const auto* notify = reinterpret_cast<const OFNOTIFYA*>(lParam);
    if (message == WM_NOTIFY && notify->hdr.code == CDN_TYPECHANGE)
        SendMessageA(GetParent(dialog), CDM_SETDEFEXT, 0,
                     reinterpret_cast<LPARAM>(KindOfFilter(notify->lpOFN->nFilterIndex).suffix));
    return 0;
}

// A common dialog over owner: the path chosen, "" when cancelled. A saving dialog asks
// before it lets an existing file be chosen, so that replacing one is the user's word.
std::string ChoosePath(HWND owner, bool save, const char* title, const std::string& filters, const char* suffix,
                       DWORD& filterIndex, LPOFNHOOKPROC hook = nullptr)
{
    char path[MAX_PATH] = {};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A; // the size that Windows 95 and NT 4.0 know
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = filterIndex;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = title;
    dialog.lpstrDefExt = suffix;
    dialog.lpfnHook = hook;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST) | (hook ? OFN_ENABLEHOOK : 0);
    if (!(save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog)))
        return {};
    filterIndex = dialog.nFilterIndex;
    return path;
}

} // namespace

CMainWindow::CMainWindow(std::unique_ptr<CTableReader> reader, const std::string& appTitle)
    : CDialog(kMainTemplate),
      m_logic(std::move(reader), m_tree, m_messageBox, *this),
      m_icon(LoadIconResource(kIconMainFrame))
{
    Bind(kIdcTree, &m_treeWindow);
    m_logic.m_appTitle = appTitle;
    m_logic.m_computerName = HostComputerName();
}

CMainWindow::~CMainWindow()
{
    if (m_images)
        ImageList_Destroy(m_images);
}

BOOL CMainWindow::OnInitDialog()
{
    m_tree.Attach(m_treeWindow);
    m_messageBox.SetOwner(Handle());
    AddSystemMenuItems();
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    m_tree.SetBkColor(kTreeColor);
    CreateImageList();
    m_tree.SetImageList(m_images);
    if (!m_logic.OnInitDialog()) {
        EndDialog(kIdCancel); // the user has been told; the window never shows
        return FALSE;
    }
    ShowTitle();
    return TRUE; // the focus goes to the first tab stop, the Exit button
}

void CMainWindow::ShowTitle()
{
    SetWindowTextA(Handle(), MainWindowTitle(kMainTemplate.caption, m_logic.Reader()).c_str());
}

void CMainWindow::AddSystemMenuItems()
{
    HMENU menu = GetSystemMenu(Handle(), FALSE);
    if (menu == nullptr)
        return;
    // Their letters are free among the system's own (Restore, Move, Size, ...).
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kIdmOpenSavedTable, "&Open Saved Table...");
    AppendMenuA(menu, MF_STRING, kIdmSaveTable, "Save &Table As...");
    AppendMenuA(menu, MF_STRING, kIdmExportReport, "&Export Report...");
    const char* text = LoadResString(kIdsAboutItem);
    if (*text == '\0')
        return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kIdmAboutBox, text);
}

bool CMainWindow::OnSavedTableCommand(unsigned id)
{
    std::string filters;
    for (const char* filter : kSavedTableFilters)
        AddFilter(filters, filter);
    DWORD filterIndex = 1;
    std::string path;
    switch (id & 0xFFF0) {
    case kIdmOpenSavedTable:
        path = ChoosePath(Handle(), false, "Open Saved Table", filters, nullptr, filterIndex);
        if (!path.empty() && m_logic.OpenSavedTable(path))
            ShowTitle(); // the title names the file now shown
        return true;
    case kIdmSaveTable:
        path = ChoosePath(Handle(), true, "Save Table As", filters, kSavedTableSuffix, filterIndex);
        if (!path.empty())
            m_logic.SaveTable(path);
        return true;
    case kIdmExportReport:
        filters.clear();
        for (const ReportKind& kind : kReportKinds)
            AddFilter(filters, kind.filter);
        path = ChoosePath(Handle(), true, "Export Report", filters, kReportKinds[0].suffix, filterIndex,
                          ExportDialogHook);
        if (!path.empty())
            m_logic.ExportReport(path, KindOfFilter(filterIndex).format);
        return true;
    }
    return false;
}

void CMainWindow::CreateImageList()
{
    m_images = ImageList_Create(kTreeImageWidth, kTreeImageHeight, ILC_MASK, 0, 1);
    if (m_images == nullptr)
        return;
    for (int id : kTreeImageIcons) {
        // A stand-in keeps the later images at their indices.
        HICON icon = LoadIconResource(id);
        ImageList_AddIcon(m_images, icon ? icon : LoadIconA(nullptr, IDI_APPLICATION));
    }
    AddWarningOverlay();
}

void CMainWindow::AddWarningOverlay()
{
    // The system's exclamation sign, small, in the lower right corner of an otherwise
    // transparent image: as an overlay it marks an item and leaves its own image seen.
    const int size = 16;
    const int x = kTreeImageWidth - size;
    const int y = kTreeImageHeight - size;
    HICON icon = LoadIconA(nullptr, IDI_EXCLAMATION);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP image = CreateCompatibleBitmap(screen, kTreeImageWidth, kTreeImageHeight);
    HBITMAP mask = CreateBitmap(kTreeImageWidth, kTreeImageHeight, 1, 1, nullptr);
    if (icon && dc && image && mask) {
        HGDIOBJ old = SelectObject(dc, mask);
        PatBlt(dc, 0, 0, kTreeImageWidth, kTreeImageHeight, WHITENESS);
        DrawIconEx(dc, x, y, icon, size, size, 0, nullptr, DI_MASK);
        SelectObject(dc, image);
        PatBlt(dc, 0, 0, kTreeImageWidth, kTreeImageHeight, BLACKNESS);
        DrawIconEx(dc, x, y, icon, size, size, 0, nullptr, DI_IMAGE);
        SelectObject(dc, old);
        int index = ImageList_Add(m_images, image, mask);
        if (index >= 0)
            ImageList_SetOverlayImage(m_images, index, Win32TreeControl::kWarningOverlay);
    }
    if (mask)
        DeleteObject(mask);
    if (image)
        DeleteObject(image);
    if (dc)
        DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

INT_PTR CMainWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SYSCOMMAND:
        if (OnSavedTableCommand(static_cast<unsigned>(wParam)) || m_logic.OnSysCommand(static_cast<unsigned>(wParam)))
            return TRUE;
        break;
    case WM_PAINT:
        if (IsIconic(Handle())) {
            PaintIcon();
            return TRUE;
        }
        break;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(m_icon);
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != static_cast<UINT_PTR>(kIdcTree))
            break;
        switch (header->code) {
        case TVN_SELCHANGINGA: // the change is allowed
            SetResult(0);
            return TRUE;
        case NM_DBLCLK: // a node with children: the tree expands or collapses it
            m_logic.OnDblClk();
            SetResult(0);
            return TRUE;
        }
        break;
    }
    case WM_COMMAND:
        // Enter in the tree reaches the dialog as IDOK: it opens a leaf, as a
        // double-click does, and never ends the window.
        if (LOWORD(wParam) == IDOK && GetFocus() == m_treeWindow) {
            m_logic.OnDblClk();
            return TRUE;
        }
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CMainWindow::PaintIcon()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    SendMessageA(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    int iconWidth = GetSystemMetrics(SM_CXICON);
    int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(Handle(), &client);
    int x = (client.right - client.left - iconWidth + 1) / 2;
    int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(dc, x, y, m_icon);
    EndPaint(Handle(), &paint);
}

void CMainWindow::RunDetail(const uint8_t* structure, CTableReader& reader)
{
    CDetailWindow detail(structure, &reader, Handle());
    detail.DoModal();
}

void CMainWindow::RunAbout()
{
    const CTableReader& reader = m_logic.Reader();
    CAboutWindow about(AboutSecondLine(reader), AboutProblemLine(reader), ProblemsText(reader), Handle());
    about.DoModal();
}
