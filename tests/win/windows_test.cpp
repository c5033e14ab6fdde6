// The Win32 windows, run for real: each modal window runs on the test's main thread
// while a second thread finds it and reads it through the controls' own messages, as
// another program would; a third thread sends what would block (a double-click's
// notification, a system command), since it returns only when the window it opens
// has closed. Every wait is bounded, and a watchdog ends a run that hangs all the same.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "res/string_table.h"
#include "shell/main_dlg.h"
#include "shell/table_source.h"
#include "shell/tree_builder.h"
#include "shell/views.h"
#include "tests/table_builder.h"
#include "ui/memory_controls.h"
#include "win32/about_window.h"
#include "win32/detail_window.h"
#include "win32/main_window.h"

namespace {

constexpr DWORD kWindowWait = 20000; // ms for a window to appear or go
constexpr DWORD kProcessWait = 60000; // ms for lumetra.exe: a new Wine process starts slowly

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(20);
    }
    return true;
}

std::string WindowText(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassName(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The visible dialogs of a process, with this caption when one is given.
std::vector<HWND> Dialogs(DWORD processId, const char* caption = nullptr)
{
    struct Search {
        DWORD processId;
        const char* caption;
        std::vector<HWND> found;
    } search{processId, caption, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && IsWindowVisible(window) && ClassName(window) == "#32770" &&
                (s->caption == nullptr || WindowText(window) == s->caption))
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForDialog(const char* caption, DWORD processId = GetCurrentProcessId(), DWORD milliseconds = kWindowWait)
{
    HWND found = nullptr;
    WaitFor(
        [&] {
            std::vector<HWND> dialogs = Dialogs(processId, caption);
            found = dialogs.empty() ? nullptr : dialogs.front();
            return found != nullptr;
        },
        milliseconds);
    return found;
}

std::vector<HWND> Children(HWND window)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

struct TreeNode {
    std::string text;
    int image = -1;
    int selectedImage = -1;
    LPARAM data = 0;
    HTREEITEM handle = nullptr;
    std::vector<TreeNode> children;
};

std::vector<TreeNode> ReadTree(HWND tree, HTREEITEM first)
{
    std::vector<TreeNode> nodes;
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
        char text[256] = {};
        TVITEMA tvItem = {};
        tvItem.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        tvItem.hItem = item;
        tvItem.pszText = text;
        tvItem.cchTextMax = sizeof text;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvItem));
        TreeNode node{text, tvItem.iImage, tvItem.iSelectedImage, tvItem.lParam, item, {}};
        node.children = ReadTree(tree, TreeView_GetChild(tree, item));
        nodes.push_back(node);
    }
    return nodes;
}

TreeNode FromMemory(const MemoryTree& tree, TreeItem item)
{
    const MemoryTree::Node* node = tree.Find(item);
    TreeNode out{node->text, node->image, node->selectedImage, static_cast<LPARAM>(node->data), nullptr, {}};
    for (TreeItem child : node->children)
        out.children.push_back(FromMemory(tree, child));
    return out;
}

void ExpectSameTree(const TreeNode& shown, const TreeNode& expected, const std::string& where)
{
    EXPECT_EQ(shown.text, expected.text) << where;
    EXPECT_EQ(shown.image, expected.image) << where;
    EXPECT_EQ(shown.selectedImage, expected.selectedImage) << where;
    EXPECT_EQ(shown.data, expected.data) << where;
    ASSERT_EQ(shown.children.size(), expected.children.size()) << where;
    for (size_t i = 0; i < shown.children.size(); ++i)
        ExpectSameTree(shown.children[i], expected.children[i], where + "/" + expected.children[i].text);
}

struct ListContents {
    std::vector<std::string> headings;
    std::vector<int> widths;
    std::vector<std::vector<std::string>> rows;
    int windowWidth = 0;
};

ListContents ReadList(HWND list)
{
    ListContents contents;
    HWND header = ListView_GetHeader(list);
    int columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int c = 0; c < columns; ++c) {
        char text[256] = {};
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
        contents.headings.push_back(text);
        contents.widths.push_back(column.cx);
    }
    int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int r = 0; r < rows; ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < columns; ++c) {
            char text[512] = {};
            LVITEMA item = {};
            item.iSubItem = c;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(list, LVM_GETITEMTEXTA, r, reinterpret_cast<LPARAM>(&item));
            row.push_back(text);
        }
        contents.rows.push_back(row);
    }
    RECT rect = {};
    GetWindowRect(list, &rect);
    contents.windowWidth = rect.right - rect.left;
    return contents;
}

// What the shared logic puts into a list for this structure, to compare the window with.
MemoryList ExpectedList(CTableReader& reader, uint16_t handle, int width)
{
    MemoryList list(width);
    CDetailDlg logic(list);
    const uint8_t* structure = nullptr;
    reader.GetStructure(handle, &structure);
    logic.m_pStruct = structure;
    logic.m_pReader = &reader;
    logic.OnInitDialog();
    return list;
}

void ExpectListShows(const ListContents& shown, const MemoryList& expected)
{
    std::vector<std::string> headings;
    for (const MemoryList::Column& column : expected.Columns())
        headings.push_back(column.heading);
    EXPECT_EQ(shown.headings, headings);
    EXPECT_EQ(shown.rows, expected.Rows());
}

// Closes whatever this process still shows, so that a failed check never leaves the
// main thread in a modal loop.
void CloseEverything()
{
    WaitFor(
        [] {
            std::vector<HWND> dialogs = Dialogs(GetCurrentProcessId());
            for (HWND dialog : dialogs)
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return dialogs.empty();
        },
        kWindowWait);
}

// Runs the modal window on this thread; inspect runs meanwhile on another and ends it.
INT_PTR RunInspected(const std::function<INT_PTR()>& run, const std::function<void()>& inspect)
{
    std::thread inspector([&] {
        inspect();
        CloseEverything();
    });
    INT_PTR result = run();
    inspector.join();
    return result;
}

// Sends a message that opens a modal window, from a thread of its own (it returns once
// that window has closed).
class BlockingSend {
public:
    BlockingSend(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
        : m_thread([=] {
              m_result = SendMessageA(window, message, wParam, lParam);
              m_done = true;
          })
    {
    }
    // After a failed check the window it opened may still be up: it is closed, with
    // the rest, rather than waited for.
    ~BlockingSend()
    {
        if (!m_thread.joinable())
            return;
        if (!WaitFor([this] { return m_done.load(); }, 2000))
            CloseEverything();
        m_thread.join();
    }
    LRESULT Result()
    {
        if (m_thread.joinable())
            m_thread.join();
        return m_result;
    }

private:
    LRESULT m_result = -1;
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

std::string WinePath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string Fixture(const char* name)
{
    return WinePath(std::string(LUMETRA_TEST_DATA) + "/" + name + "/dump.bin");
}

TreeNode FindNode(const std::vector<TreeNode>& nodes, const std::string& text)
{
    for (const TreeNode& node : nodes)
        if (node.text == text)
            return node;
    return {};
}

// CF_TEXT on the clipboard; "" when there is none.
std::string ClipboardText()
{
    std::string text;
    if (!WaitFor([] { return OpenClipboard(nullptr) != FALSE; }, kWindowWait))
        return "(clipboard busy)";
    HANDLE data = GetClipboardData(CF_TEXT);
    if (const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
        text.assign(bytes, strnlen(bytes, GlobalSize(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// A key pressed in window, as its thread sees it, with Ctrl down or up: the caller
// shares that thread's input state for the while, which GetKeyState reads.
void PressKey(HWND window, WPARAM key, bool control)
{
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
    SendMessageA(window, WM_KEYDOWN, key, 1);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
}

} // namespace

// Each template as the dialog manager made it: the window's size, styles and font, and
// every item in tab order with its class, id, place, styles and text.
TEST(Templates, WindowsAreWhatTheTemplatesSay)
{
    struct Expected {
        const DialogTemplate* dialogTemplate;
        std::vector<const char*> classes;
    };
    const Expected all[] = {
        {&kAboutTemplate, {"Static", "Static", "Static", "Static", "Button"}},
        {&kMainTemplate, {"Button", WC_TREEVIEWA}},
        {&kDetailTemplate, {WC_LISTVIEWA, "Button", "Static"}},
    };
    for (const Expected& expected : all) {
        const DialogTemplate& t = *expected.dialogTemplate;
        SCOPED_TRACE(t.id);
        CDialog dialog(t);
        RunInspected([&] { return dialog.DoModal(); }, [&] {
            HWND window = WaitForDialog(t.caption);
            ASSERT_NE(window, nullptr) << "no window for template " << t.id;
            RECT size = {0, 0, t.cx, t.cy};
            MapDialogRect(window, &size);
            RECT client = {};
            GetClientRect(window, &client);
            EXPECT_EQ(client.right, size.right);
            EXPECT_EQ(client.bottom, size.bottom);
            EXPECT_EQ(static_cast<uint32_t>(GetWindowLongA(window, GWL_STYLE)) & t.style, t.style);
            EXPECT_EQ(static_cast<uint32_t>(GetWindowLongA(window, GWL_EXSTYLE)) & t.exStyle, t.exStyle);

            LOGFONTA font = {};
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
            EXPECT_STREQ(font.lfFaceName, t.font);
            HDC screen = GetDC(nullptr);
            EXPECT_EQ(font.lfHeight, -MulDiv(t.pointSize, GetDeviceCaps(screen, LOGPIXELSY), 72));
            ReleaseDC(nullptr, screen);

            std::vector<HWND> children = Children(window);
            ASSERT_EQ(children.size(), t.count);
            for (size_t i = 0; i < t.count; ++i) {
                const TemplateItem& item = t.items[i];
                SCOPED_TRACE(item.name);
                HWND child = children[i];
                EXPECT_EQ(_stricmp(ClassName(child).c_str(), expected.classes[i]), 0) << ClassName(child);
                EXPECT_EQ(GetDlgCtrlID(child) & 0xFFFF, item.id & 0xFFFF);
                // Place and size convert separately, as the dialog manager converts them.
                RECT want = {item.x, item.y, item.cx, item.cy};
                MapDialogRect(window, &want);
                RECT got = {};
                GetWindowRect(child, &got);
                MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&got), 2);
                EXPECT_EQ(got.left, want.left);
                EXPECT_EQ(got.top, want.top);
                if (item.kind != TemplateItemKind::Icon) { // an icon takes its image's size
                    EXPECT_EQ(got.right - got.left, want.right);
                    EXPECT_EQ(got.bottom - got.top, want.bottom);
                    EXPECT_EQ(WindowText(child), item.text);
                }
                // The tree and the list trade a border for a sunken edge as they are made.
                uint32_t style = static_cast<uint32_t>(GetWindowLongA(child, GWL_STYLE));
                if (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)
                    style |= WS_BORDER;
                EXPECT_EQ(style & item.style, item.style);
            }
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        });
    }
}

TEST(MainWindow, TitleTreeSystemMenuAboutAndDetail)
{
    OpenedTable table = OpenChosenTable({Fixture("q35-workstation")});
    ASSERT_TRUE(table.reader->IsOpen()) << table.reader->Reason();
    CMainWindow window(std::move(table.reader), "lumetra");

    // The tree that the shared logic builds for this table, from the same reader.
    MemoryTree memoryTree;
    std::string computerName;
    TreeItem memoryRoot = kTreeRoot;

    RunInspected([&] { return window.DoModal(); }, [&] {
        HWND main = WaitForDialog(kMainTemplate.caption);
        ASSERT_NE(main, nullptr) << "no main window";
        EXPECT_EQ(WindowText(main), "Mainboard Lumetra Ver.1.0 for Win9x/NT4/2000/XP");
        HWND tree = GetDlgItem(main, kIdcTree);
        ASSERT_NE(tree, nullptr);
        EXPECT_EQ(ClassName(tree), WC_TREEVIEWA);
        EXPECT_EQ(static_cast<COLORREF>(SendMessageA(tree, TVM_GETBKCOLOR, 0, 0)), kTreeColor);
        // The focus went to the first tab stop, the Exit button.
        EXPECT_EQ(WindowText(GetDlgItem(main, IDCANCEL)), "Exit");
        GUITHREADINFO thread = {};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &thread);
        EXPECT_EQ(thread.hwndFocus, GetDlgItem(main, IDCANCEL));

        // The tree, against the one the shared logic builds.
        std::vector<TreeNode> shown = ReadTree(tree, TreeView_GetRoot(tree));
        ASSERT_EQ(shown.size(), 1u);
        const std::string prefix = "Computer Name : ";
        ASSERT_EQ(shown[0].text.compare(0, prefix.size(), prefix), 0) << shown[0].text;
        memoryRoot = BuildTree(window.Logic().Reader(), memoryTree, shown[0].text.substr(prefix.size()));
        ExpectSameTree(shown[0], FromMemory(memoryTree, memoryRoot), "root");
        EXPECT_EQ(shown[0].children.front().text, "BIOS Information (Type 0)");
        TreeNode processors = FindNode(shown[0].children, "Processor Information (Type 4)");
        ASSERT_EQ(processors.children.size(), 2u);
        EXPECT_EQ(processors.children[1].text, "Processor Information (Type 4) #.1");
        EXPECT_TRUE(SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(shown[0].handle), TVIS_EXPANDED) &
                    TVIS_EXPANDED);

        // Icons: big and small from resource 128, and the same one for dragging.
        LRESULT big = SendMessageA(main, WM_GETICON, ICON_BIG, 0);
        EXPECT_NE(big, 0);
        EXPECT_EQ(SendMessageA(main, WM_GETICON, ICON_SMALL, 0), big);
        EXPECT_EQ(SendMessageA(main, WM_QUERYDRAGICON, 0, 0), big);
        HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
        // The tree's seven images, then the warning sign that a sound table's root lacks.
        EXPECT_EQ(ImageList_GetImageCount(images), 8);
        EXPECT_EQ(SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(shown[0].handle), TVIS_OVERLAYMASK),
                  0);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images, &cx, &cy);
        EXPECT_EQ(cx, 32);
        EXPECT_EQ(cy, 20);

        // The About item, after a separator, at the end of the real system menu.
        HMENU menu = GetSystemMenu(main, FALSE);
        ASSERT_NE(menu, nullptr);
        int count = GetMenuItemCount(menu);
        ASSERT_GE(count, 2);
        char text[128] = {};
        GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, "&About Corvane...");
        EXPECT_EQ(GetMenuItemID(menu, count - 1), kIdmAboutBox);
        EXPECT_TRUE(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);

        {
            // Any command from 0x10 to 0x1F opens the About box.
            BlockingSend about(main, WM_SYSCOMMAND, kIdmAboutBox | 0x7, 0);
            HWND box = WaitForDialog("About Lumetra");
            ASSERT_NE(box, nullptr) << "no About box";
            EXPECT_EQ(GetWindow(box, GW_OWNER), main);
            std::vector<std::string> texts;
            for (HWND child : Children(box))
                texts.push_back(WindowText(child));
            const std::string version = "SMBIOS " + VersionText(window.Logic().Reader());
            ASSERT_EQ(texts.size(), 5u);
            EXPECT_EQ(texts[1], "Mainboard Lumetra Ver.1.0");
            EXPECT_EQ(texts[2], AboutSecondLine(window.Logic().Reader()));
            EXPECT_EQ(texts[2].compare(0, version.size(), version), 0) << texts[2];
            EXPECT_EQ(texts[3], "");
            EXPECT_EQ(texts[4], "OK");
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            EXPECT_NE(about.Result(), -1);
        }

        // A double-click on a leaf opens its detail window, over the main window.
        TreeNode bios = shown[0].children.front();
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(bios.handle));
        {
            NMHDR click = {tree, static_cast<UINT_PTR>(kIdcTree), static_cast<UINT>(NM_DBLCLK)};
            BlockingSend send(main, WM_NOTIFY, kIdcTree, reinterpret_cast<LPARAM>(&click));
            HWND detail = WaitForDialog("BIOS Information (Type 0)");
            ASSERT_NE(detail, nullptr) << "no detail window";
            EXPECT_EQ(GetWindow(detail, GW_OWNER), main);
            ListContents list = ReadList(GetDlgItem(detail, kIdcList));
            ExpectListShows(list, ExpectedList(window.Logic().Reader(), static_cast<uint16_t>(bios.data),
                                               list.windowWidth));
            ASSERT_EQ(list.widths.size(), 2u);
            EXPECT_EQ(list.widths[0], list.windowWidth / 3);
            EXPECT_EQ(list.widths[1], 2 * list.windowWidth / 3);
            EXPECT_GE(list.rows.size(), 5u);
            PostMessageA(detail, WM_COMMAND, IDOK, 0);
            EXPECT_EQ(send.Result(), 0);
        }

        // Enter in the tree opens the selected leaf too, and leaves the main window open.
        TreeNode system = FindNode(shown[0].children, "System Information (Type 1)");
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(system.handle));
        PostMessageA(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tree), TRUE);
        PostMessageA(tree, WM_KEYDOWN, VK_RETURN, 0);
        HWND detail = WaitForDialog("System Information (Type 1)");
        ASSERT_NE(detail, nullptr) << "Enter opened nothing";
        PostMessageA(detail, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(detail); }, kWindowWait));
        EXPECT_TRUE(IsWindowVisible(main));

        // A node with children only expands or collapses.
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(processors.handle));
        NMHDR click = {tree, static_cast<UINT_PTR>(kIdcTree), static_cast<UINT>(NM_DBLCLK)};
        EXPECT_EQ(SendMessageA(main, WM_NOTIFY, kIdcTree, reinterpret_cast<LPARAM>(&click)), 0);
        EXPECT_EQ(Dialogs(GetCurrentProcessId()).size(), 1u);

        PostMessageA(GetDlgItem(main, IDCANCEL), BM_CLICK, 0, 0);
    });
}

TEST(DetailWindow, OnBoardDevicesShowThreeColumns)
{
    std::unique_ptr<CTableReader> reader = OpenTable(
        {Structure(0, 0, {1, 2, 0, 0xE8, 3, 0}, {"Vendor", "1.0", "01/01/2000"}),
         Structure(10, 0x10, {0x83, 1, 0x05, 2}, {"Onboard VGA", "Onboard LAN"}), Structure(127, 0x7F)});
    const uint8_t* structure = nullptr;
    ASSERT_EQ(reader->GetStructure(0x10, &structure), kOk);
    CDetailWindow detail(structure, reader.get(), nullptr);

    ListContents list;
    RunInspected([&] { return detail.DoModal(); }, [&] {
        HWND window = WaitForDialog(LoadResString(kIdsCaptionBase + 10));
        ASSERT_NE(window, nullptr) << "no detail window";
        list = ReadList(GetDlgItem(window, kIdcList));
        std::vector<std::string> note;
        for (HWND child : Children(window))
            note.push_back(WindowText(child));
        EXPECT_EQ(note.back(), "Please referance SMBIOS specification for detail information.");

        // Ctrl+C copies the selected rows; C alone copies nothing.
        HWND listWindow = GetDlgItem(window, kIdcList);
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
        LVITEMA selected = {};
        selected.stateMask = selected.state = LVIS_SELECTED;
        for (int row : {0, 1})
            SendMessageA(listWindow, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&selected));
        PressKey(listWindow, 'C', false);
        EXPECT_EQ(ClipboardText(), "");
        PressKey(listWindow, 'C', true);
        EXPECT_EQ(ClipboardText(), "Onboard VGA\tEnabled\tVideo\r\nOnboard LAN\tDisabled\tEthernet\r\n");
        PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(list.headings, (std::vector<std::string>{"Description", "Device Status", "Device Type"}));
    EXPECT_EQ(list.rows, (std::vector<std::vector<std::string>>{{"Onboard VGA", "Enabled", "Video"},
                                                                {"Onboard LAN", "Disabled", "Ethernet"}}));
    ExpectListShows(list, ExpectedList(*reader, 0x10, list.windowWidth));
}

// A table with problems: the About box's third line counts them, and its tip lists them.
TEST(AboutBox, ProblemLineWithTheProblemsAsItsTip)
{
    std::unique_ptr<CTableReader> reader = OpenLengthZeroTable();
    ASSERT_FALSE(reader->Problems().empty());
    CAboutWindow about(AboutSecondLine(*reader), AboutProblemLine(*reader), ProblemsText(*reader), nullptr);
    std::vector<std::string> texts;
    std::string tip;
    int tools = 0;
    RunInspected([&] { return about.DoModal(); }, [&] {
        HWND box = WaitForDialog("About Lumetra");
        ASSERT_NE(box, nullptr) << "no About box";
        for (HWND child : Children(box))
            texts.push_back(WindowText(child));
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                if (GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(param) &&
                    ClassName(window) == TOOLTIPS_CLASSA) {
                    SetWindowLongPtrA(reinterpret_cast<HWND>(param), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(box));
        HWND tips = reinterpret_cast<HWND>(GetWindowLongPtrA(box, GWLP_USERDATA));
        ASSERT_NE(tips, nullptr) << "no tooltip";
        tools = static_cast<int>(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
        char text[2048] = {};
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.lpszText = text;
        SendMessageA(tips, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool));
        tip = text;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[2], AboutSecondLine(*reader));
    EXPECT_EQ(texts[3], AboutProblemLine(*reader));
    EXPECT_NE(texts[3], "");
    EXPECT_EQ(tools, 1);
    // A tooltip hands back at most 80 characters of a text it keeps whole.
    const std::string problems = ProblemsText(*reader);
    EXPECT_GE(tip.size(), std::min<size_t>(problems.size(), 79)) << tip;
    EXPECT_EQ(tip, problems.substr(0, tip.size()));
}

// A table with problems: the tree's root carries the warning overlay.
TEST(MainWindow, WarningOnTheRootOfATableWithProblems)
{
    CMainWindow window(OpenLengthZeroTable(), "lumetra");
    LRESULT state = 0;
    RunInspected([&] { return window.DoModal(); }, [&] {
        HWND main = WaitForDialog(kMainTemplate.caption);
        ASSERT_NE(main, nullptr) << "no main window";
        HWND tree = GetDlgItem(main, kIdcTree);
        state = SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(TreeView_GetRoot(tree)),
                             TVIS_OVERLAYMASK);
        PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(state, static_cast<LRESULT>(INDEXTOOVERLAYMASK(Win32TreeControl::kWarningOverlay)));
}

// The real program on a file that holds no table: the message box, owned by a main
// window that never shows, and the program ends once it is answered.
TEST(Program, NoDmiFunctionOnABadDumpThenItEnds)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    const std::string bad = std::string(folder) + "lumetra-bad-dump.bin";
    {
        std::ofstream out(bad, std::ios::binary);
        out << std::string(200, 'x');
    }
    std::string command = "\"" + WinePath(LUMETRA_EXE) + "\" --from-dump \"" + bad + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        << command;

    HWND box = WaitForDialog("lumetra", process.dwProcessId, kProcessWait);
    EXPECT_NE(box, nullptr) << "no message box";
    if (box) {
        std::string text;
        for (HWND child : Children(box))
            if (ClassName(child) == "Static" && !WindowText(child).empty())
                text = WindowText(child);
        EXPECT_EQ(text.compare(0, 15, "No DMI Function"), 0) << text;
        // The reason follows, for a user who has no console to read it on.
        EXPECT_GT(text.size(), 17u) << text;
        HWND owner = GetWindow(box, GW_OWNER);
        EXPECT_EQ(WindowText(owner), kMainTemplate.caption);
        EXPECT_FALSE(IsWindowVisible(owner));
        EXPECT_TRUE(Dialogs(process.dwProcessId, kMainTemplate.caption).empty());
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    }
    DWORD waited = WaitForSingleObject(process.hProcess, kWindowWait);
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "the program did not end";
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 99);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    EXPECT_EQ(status, 1u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DeleteFileA(bad.c_str());
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (std::getenv("DISPLAY") == nullptr) {
        std::fprintf(stderr, "DISPLAY is not set: the window tests need an X server (Xvfb).\n");
        return 1;
    }
    InitCommonControls();
    // The last resort against a hang that no bounded wait caught.
    std::thread([] {
        Sleep(150000);
        std::fprintf(stderr, "window tests: still running after 150 s, ended\n");
        std::fflush(stderr);
        ExitProcess(3);
    }).detach();
    return RUN_ALL_TESTS();
}
