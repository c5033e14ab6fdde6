// The Win32 windows, run for real: each modal window runs on the test's main thread
// while a second thread finds it and drives it through messages, as another program
// would. What the windows show is the shared logic's, tested without Windows; these
// tests cover what only the Win32 front end does. Every wait is bounded; the test's
// timeout ends a run that hangs all the same.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "res/string_table.h"
#include "shell/dump_bin.h"
#include "shell/main_dlg.h"
#include "shell/table_source.h"
#include "shell/tree_builder.h"
#include "shell/views.h"
#include "tests/table_builder.h"
#include "ui/memory_controls.h"
#include "win32/detail_window.h"
#include "win32/main_window.h"

namespace {

constexpr DWORD kWindowWait = 20000; // ms for a window to appear or go
constexpr DWORD kProcessWait = 60000; // ms for lumetra.exe: a new Wine process starts slowly

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = kWindowWait)
{
    for (DWORD start = GetTickCount(); !condition(); Sleep(20))
        if (GetTickCount() - start > milliseconds)
            return false;
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

// A shown dialog of the process with this caption (any, for null), waited for.
HWND WaitForDialog(const char* caption, DWORD processId = GetCurrentProcessId(), DWORD milliseconds = kWindowWait)
{
    HWND found = nullptr;
    WaitFor(
        [&] {
            DWORD owner = 0;
            do
                found = FindWindowExA(nullptr, found, "#32770", caption);
            while (found && (!IsWindowVisible(found) || !GetWindowThreadProcessId(found, &owner) ||
                             owner != processId));
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

// Runs the modal window on this thread; inspect runs meanwhile on another, and then
// whatever is still shown is closed, so that a failed check never leaves this thread
// in a modal loop. A window that inspect opens by a posted message nests in the same loop.
void RunInspected(CDialog& dialog, const std::function<void()>& inspect)
{
    std::thread inspector([&] {
        inspect();
        WaitFor([] {
            HWND shown = WaitForDialog(nullptr, GetCurrentProcessId(), 0);
            if (shown)
                PostMessageA(shown, WM_COMMAND, IDCANCEL, 0);
            return shown == nullptr;
        });
    });
    dialog.DoModal();
    inspector.join();
}

std::string ItemText(HWND tree, HTREEITEM item)
{
    char text[256] = {};
    TVITEMA tvItem = {};
    tvItem.mask = TVIF_TEXT;
    tvItem.hItem = item;
    tvItem.pszText = text;
    tvItem.cchTextMax = sizeof text;
    TreeView_GetItem(tree, &tvItem);
    return text;
}

// The tree control's items against the shared logic's, item for item, depth first.
void ExpectSameItems(HWND tree, HTREEITEM item, const MemoryTree& expected, const std::vector<TreeItem>& items)
{
    for (TreeItem built : items) {
        const MemoryTree::Node& node = *expected.Find(built);
        ASSERT_NE(item, nullptr) << "missing: " << node.text;
        EXPECT_EQ(ItemText(tree, item), node.text);
        TVITEMA shown = {};
        shown.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
        shown.stateMask = TVIS_OVERLAYMASK;
        shown.hItem = item;
        TreeView_GetItem(tree, &shown);
        const LPARAM overlay = node.warning.empty() ? 0 : INDEXTOOVERLAYMASK(Win32TreeControl::kWarningOverlay);
        const LPARAM state = shown.state & TVIS_OVERLAYMASK;
        EXPECT_EQ(std::vector<LPARAM>({shown.iImage, shown.iSelectedImage, shown.lParam, state}),
                  std::vector<LPARAM>({node.image, node.selectedImage, node.data, overlay}))
            << node.text;
        ExpectSameItems(tree, TreeView_GetChild(tree, item), expected, node.children);
        item = TreeView_GetNextSibling(tree, item);
    }
    EXPECT_EQ(item, nullptr) << "more items than the shared logic built";
}

// CF_TEXT on the clipboard; "" when there is none.
std::string ClipboardText()
{
    HANDLE data = OpenClipboard(nullptr) ? GetClipboardData(CF_TEXT) : nullptr;
    std::string text = data ? static_cast<const char*>(GlobalLock(data)) : "";
    if (data)
        GlobalUnlock(data);
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

// Whether the tree's images draw the warning overlay: image 0 with it differs from
// image 0 without it.
bool DrawsWarningOverlay(HIMAGELIST images)
{
    const int w = kTreeImageWidth, h = kTreeImageHeight;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 2 * w, h);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 2 * w, h, WHITENESS);
    ImageList_Draw(images, 0, dc, 0, 0, ILD_NORMAL);
    ImageList_Draw(images, 0, dc, w, 0, ILD_NORMAL | INDEXTOOVERLAYMASK(Win32TreeControl::kWarningOverlay));
    bool differs = false;
    for (int i = 0; i < w * h && !differs; ++i)
        differs = GetPixel(dc, i % w, i / w) != GetPixel(dc, w + i % w, i / w);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return differs;
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
        RunInspected(dialog, [&] {
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
        });
    }
}

// A broken table in the main window: the tree control holds what the shared logic
// builds, the root with the warning overlay, which the image list draws; the window's
// icons and images; the system menu's About item opening the About box with the problem
// count and the problems as its tip; a double-click or Enter on a leaf opening its
// detail window over the main window.
TEST(MainWindow, TreeWarningIconsAboutItemAndLeavesOpeningDetails)
{
    CMainWindow window(OpenBrokenTable(), "lumetra");
    CTableReader& reader = window.Logic().Reader();
    ASSERT_FALSE(reader.Problems().empty());
    RunInspected(window, [&] {
        HWND main = WaitForDialog(kMainTemplate.caption);
        ASSERT_NE(main, nullptr) << "no main window";
        HWND tree = GetDlgItem(main, kIdcTree);
        EXPECT_EQ(static_cast<COLORREF>(SendMessageA(tree, TVM_GETBKCOLOR, 0, 0)), kTreeColor);
        GUITHREADINFO thread = {};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &thread);
        EXPECT_EQ(thread.hwndFocus, GetDlgItem(main, IDCANCEL)) << "the first tab stop, Exit, has the focus";

        MemoryTree expected; // marked as the shared logic marks a broken table's root
        expected.SetItemWarning(BuildTree(reader, expected, window.Logic().m_computerName), ProblemsText(reader));
        HTREEITEM root = TreeView_GetRoot(tree);
        ExpectSameItems(tree, root, expected, expected.TopLevel());
        EXPECT_TRUE(TreeView_GetItemState(tree, root, TVIS_EXPANDED));

        // Big and small icon from one resource, the same for dragging; 32x20 images,
        // the tree's seven and then the warning sign.
        LRESULT big = SendMessageA(main, WM_GETICON, ICON_BIG, 0);
        EXPECT_NE(big, 0);
        EXPECT_EQ(SendMessageA(main, WM_GETICON, ICON_SMALL, 0), big);
        EXPECT_EQ(SendMessageA(main, WM_QUERYDRAGICON, 0, 0), big);
        HIMAGELIST images = TreeView_GetImageList(tree, TVSIL_NORMAL);
        EXPECT_EQ(ImageList_GetImageCount(images), 8);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images, &cx, &cy);
        EXPECT_EQ(cx, 32);
        EXPECT_EQ(cy, 20);
        EXPECT_TRUE(DrawsWarningOverlay(images));

        // The About item, after a separator, at the end of the real system menu; its
        // command posted as choosing it posts it.
        HMENU menu = GetSystemMenu(main, FALSE);
        int count = GetMenuItemCount(menu);
        ASSERT_GE(count, 2);
        char text[2048] = {};
        GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, "&About Corvane...");
        EXPECT_EQ(GetMenuItemID(menu, count - 1), kIdmAboutBox);
        EXPECT_TRUE(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
        PostMessageA(main, WM_SYSCOMMAND, GetMenuItemID(menu, count - 1), 0);
        HWND about = WaitForDialog(kAboutTemplate.caption);
        ASSERT_NE(about, nullptr) << "the About item opened nothing";
        EXPECT_EQ(GetWindow(about, GW_OWNER), main);
        std::vector<std::string> texts;
        for (HWND child : Children(about))
            texts.push_back(WindowText(child));
        ASSERT_EQ(texts.size(), 5u);
        EXPECT_EQ(texts[2], AboutSecondLine(reader));
        EXPECT_EQ(texts[3], AboutProblemLine(reader));
        // The tip is a window of its own, owned by the box; it hands back at most 80
        // characters of the text it keeps whole.
        HWND tips = nullptr;
        for (HWND w = GetTopWindow(nullptr); w && !tips; w = GetWindow(w, GW_HWNDNEXT))
            if (GetWindow(w, GW_OWNER) == about && ClassName(w) == TOOLTIPS_CLASSA)
                tips = w;
        ASSERT_NE(tips, nullptr) << "no tooltip";
        EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.lpszText = text;
        SendMessageA(tips, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool));
        const std::string problems = ProblemsText(reader);
        EXPECT_GE(strlen(text), std::min<size_t>(problems.size(), 79)) << text;
        EXPECT_EQ(problems.compare(0, strlen(text), text), 0) << text;
        PostMessageA(about, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(about); }));

        // A double-click on a leaf, as the mouse makes it, and Enter in the tree, which
        // reaches the window as IDOK: each opens the selected leaf's detail window, over
        // the main window, and ends nothing.
        std::vector<HTREEITEM> leaves;
        for (HTREEITEM item = TreeView_GetChild(tree, root); item; item = TreeView_GetNextSibling(tree, item))
            if (TreeView_GetChild(tree, item) == nullptr)
                leaves.push_back(item);
        ASSERT_GE(leaves.size(), 2u);
        TreeView_SelectItem(tree, leaves[0]);
        RECT place = {};
        TreeView_GetItemRect(tree, leaves[0], &place, TRUE);
        PostMessageA(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(place.left + 2, (place.top + place.bottom) / 2));
        HWND detail = WaitForDialog(ItemText(tree, leaves[0]).c_str());
        ASSERT_NE(detail, nullptr) << "the double-click opened nothing";
        EXPECT_EQ(GetWindow(detail, GW_OWNER), main);
        PostMessageA(detail, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(detail); }));

        TreeView_SelectItem(tree, leaves[1]);
        PostMessageA(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tree), TRUE);
        PostMessageA(tree, WM_KEYDOWN, VK_RETURN, 0);
        detail = WaitForDialog(ItemText(tree, leaves[1]).c_str());
        ASSERT_NE(detail, nullptr) << "Enter opened nothing";
        PostMessageA(detail, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(detail); }));
        EXPECT_TRUE(IsWindowVisible(main));
    });
}

// The system menu's saved-table items, each through its common dialog as a user fills
// it in: a copied tables folder opened by its DMI file (the root and the title name it),
// the table saved in the --dump-bin layout, and a report exported by the JSON filter,
// which gives the name its suffix, over a file that its question lets it replace.
TEST(MainWindow, SystemMenuOpensSavesAndExportsThroughCommonDialogs)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string saved = std::string(temp) + "lumetra-saved.bin", report = std::string(temp) + "lumetra-report";
    DeleteFileA(saved.c_str());
    std::ofstream(report + ".json") << "old";
    std::string folderCopy = TestData("pc-default/sysfs/DMI");
    std::replace(folderCopy.begin(), folderCopy.end(), '/', '\\');
    auto bytesOf = [](const std::string& path) {
        return std::string(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {});
    };
    CMainWindow window(OpenTable({Structure(0, 0x10)}), "lumetra");
    RunInspected(window, [&] {
        HWND main = WaitForDialog(kMainTemplate.caption);
        ASSERT_NE(main, nullptr) << "no main window";
        HMENU menu = GetSystemMenu(main, FALSE);
        const int count = GetMenuItemCount(menu); // ..., separator, the three, separator, About
        ASSERT_TRUE(count >= 6 && GetMenuState(menu, count - 6, MF_BYPOSITION) & MF_SEPARATOR);
        // Chooses item (0 to 2), types path, picks filter (from 0; none for -1), then OK and
        // Yes to a question, which sets asked; returns once the main window is done with the file.
        bool asked = false;
        auto choose = [&](int item, const char* title, const std::string& path, int filter) {
            PostMessageA(main, WM_SYSCOMMAND, GetMenuItemID(menu, count - 5 + item), 0);
            HWND dialog = WaitForDialog(title);
            ASSERT_NE(dialog, nullptr) << title;
            HWND types = GetDlgItem(dialog, cmb1);
            if (filter >= 0 && SendMessageA(types, CB_SETCURSEL, filter, 0) == filter)
                SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
            SetDlgItemTextA(dialog, GetDlgItem(dialog, cmb13) ? cmb13 : edt1, path.c_str());
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            WaitFor([&] {
                HWND question = FindWindowExA(nullptr, nullptr, "#32770", nullptr);
                while (question && GetWindow(question, GW_OWNER) != dialog)
                    question = FindWindowExA(nullptr, question, "#32770", nullptr);
                if (question)
                    asked = PostMessageA(question, WM_COMMAND, IDYES, 0);
                return !IsWindow(dialog);
            });
            SendMessageA(main, WM_NULL, 0, 0); // handled once the command is done
        };
        choose(0, "Open Saved Table", folderCopy, -1);
        HWND tree = GetDlgItem(main, kIdcTree);
        EXPECT_EQ(ItemText(tree, TreeView_GetRoot(tree)), "Saved Table : sysfs");
        EXPECT_EQ(WindowText(main), std::string(kMainTemplate.caption) + " - sysfs");
        choose(1, "Save Table As", saved, -1);
        const std::vector<uint8_t> image = DumpBinImage(window.Logic().Reader());
        EXPECT_EQ(bytesOf(saved), std::string(image.begin(), image.end()));
        EXPECT_FALSE(asked) << "a question for a new file";
        choose(2, "Export Report", report, 1);
        EXPECT_TRUE(asked) << "no question before replacing a file";
        EXPECT_EQ(bytesOf(report + ".json"), RenderJson(window.Logic().Reader(), window.Logic().m_computerName));
    });
    for (const std::string& file : {saved, report + ".json"})
        DeleteFileA(file.c_str());
}

// A structure whose decoder brings columns of its own: the list control takes them in
// place of the first two, sharing its width; Ctrl+C copies the selected rows, C alone nothing.
TEST(DetailWindow, ColumnsOfItsOwnAndCtrlCCopiesTheSelectedRows)
{
    std::unique_ptr<CTableReader> reader = OpenTable(
        {Structure(10, 0x10, {0x83, 1, 0x05, 2, 0x87, 3}, {"Onboard VGA", "Onboard LAN", "Onboard Sound"})});
    const uint8_t* structure = nullptr;
    ASSERT_EQ(reader->GetStructure(0x10, &structure), kOk);
    CDetailWindow detail(structure, reader.get(), nullptr);
    RunInspected(detail, [&] {
        HWND window = WaitForDialog(LoadResString(kIdsCaptionBase + 10));
        ASSERT_NE(window, nullptr) << "no detail window";
        HWND list = GetDlgItem(window, kIdcList);
        RECT rect = {};
        GetWindowRect(list, &rect);
        std::string columns;
        for (int c = 0; c < 3; ++c) {
            char text[64] = {};
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT;
            column.pszText = text;
            column.cchTextMax = sizeof text;
            ListView_GetColumn(list, c, &column);
            columns += std::string(text) + " " + std::to_string(ListView_GetColumnWidth(list, c)) + "|";
        }
        const std::string third = std::to_string((rect.right - rect.left) / 3);
        EXPECT_EQ(columns, "Description " + third + "|Device Status " + third + "|Device Type " + third + "|");

        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
        LVITEMA selected = {};
        selected.stateMask = selected.state = LVIS_SELECTED;
        for (int row : {0, 2})
            SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&selected));
        PressKey(list, 'C', false);
        EXPECT_EQ(ClipboardText(), "");
        PressKey(list, 'C', true);
        EXPECT_EQ(ClipboardText(), "Onboard VGA\tEnabled\tVideo\r\nOnboard Sound\tEnabled\tSound\r\n");
    });
}

// The real program on a file that holds no table: the message box with the reason,
// owned by a main window that never shows, and the program ends with status 1 once it
// is answered.
TEST(Program, NoDmiFunctionOnABadDumpThenItEnds)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    const std::string bad = std::string(folder) + "lumetra-bad-dump.bin";
    std::ofstream(bad, std::ios::binary) << std::string(200, 'x');
    std::string command = "\"Z:" LUMETRA_EXE "\" --from-dump \"" + bad + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        << command;

    HWND box = WaitForDialog("lumetra", process.dwProcessId, kProcessWait);
    EXPECT_NE(box, nullptr) << "no message box";
    if (box) {
        std::string text = WindowText(GetDlgItem(box, 0xFFFF)); // the message box's text
        EXPECT_EQ(text.compare(0, 15, "No DMI Function"), 0) << text;
        // The reason follows, for a user who has no console to read it on.
        EXPECT_GT(text.size(), 17u) << text;
        HWND owner = GetWindow(box, GW_OWNER);
        EXPECT_EQ(WindowText(owner), kMainTemplate.caption);
        EXPECT_FALSE(IsWindowVisible(owner));
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
    return RUN_ALL_TESTS();
}
