#include "win32/main_window.h"

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
    AddAboutItem();
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    m_tree.SetBkColor(kTreeColor);
    CreateImageList();
    m_tree.SetImageList(m_images);
    if (!m_logic.OnInitDialog()) {
        EndDialog(kIdCancel); // the user has been told; the window never shows
        return FALSE;
    }
    SetWindowTextA(Handle(), MainWindowTitle(kMainTemplate.caption, m_logic.Reader()).c_str());
    return TRUE; // the focus goes to the first tab stop, the Exit button
}

void CMainWindow::AddAboutItem()
{
    HMENU menu = GetSystemMenu(Handle(), FALSE);
    const char* text = LoadResString(kIdsAboutItem);
    if (menu == nullptr || *text == '\0')
        return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kIdmAboutBox, text);
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
        if (m_logic.OnSysCommand(static_cast<unsigned>(wParam)))
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
