#pragma once
// Dialog templates 100 (About box), 102 (main window) and 103 (detail window).
// Positions and sizes are in dialog units of the template's font; items are in tab order.
// The window styles are the Win32 numbers, which the Win32 front end puts into its
// in-memory templates as they stand; the Qt front end reads only kinds and places.
#include <cstddef>
#include <cstdint>

// Window styles, as windows.h numbers them (whose macros only the Win32 front end sees).
namespace tpl {
constexpr uint32_t kPopup = 0x80000000;
constexpr uint32_t kChild = 0x40000000;
constexpr uint32_t kVisible = 0x10000000;
constexpr uint32_t kCaption = 0x00C00000;
constexpr uint32_t kBorder = 0x00800000;
constexpr uint32_t kSysMenu = 0x00080000;
constexpr uint32_t kGroup = 0x00020000;
constexpr uint32_t kTabStop = 0x00010000;
constexpr uint32_t kModalFrame = 0x00000080; // DS_MODALFRAME
constexpr uint32_t kExAppWindow = 0x00040000; // WS_EX_APPWINDOW: shown on the task bar
constexpr uint32_t kPushButton = 0x0;         // BS_PUSHBUTTON
constexpr uint32_t kDefPushButton = 0x1;      // BS_DEFPUSHBUTTON
constexpr uint32_t kLeftText = 0x0;           // SS_LEFT
constexpr uint32_t kIconImage = 0x3;          // SS_ICON
constexpr uint32_t kNoPrefix = 0x80;          // SS_NOPREFIX
constexpr uint32_t kTreeButtons = 0x1;        // TVS_HASBUTTONS
constexpr uint32_t kTreeLines = 0x2;          // TVS_HASLINES
constexpr uint32_t kTreeLinesAtRoot = 0x4;    // TVS_LINESATROOT
constexpr uint32_t kListReport = 0x1;         // LVS_REPORT
} // namespace tpl

enum class TemplateItemKind { PushButton, DefPushButton, Text, Icon, TreeView, ListView };

struct TemplateItem {
    TemplateItemKind kind;
    int id;           // control id; -1 for a static item without one
    const char* name; // the widget's object name
    int x, y, cx, cy;
    const char* text; // for an icon, unused
    int icon;         // for an icon, the icon resource
    uint32_t style;   // window style, tpl::kChild and tpl::kVisible included
    uint32_t exStyle;
};

struct DialogTemplate {
    int id;
    const char* name; // the window's object name
    int cx, cy;
    const char* caption; // replaced at run time where a window says so
    const char* font;    // may be missing: the closest sans-serif stands in
    int pointSize;
    const TemplateItem* items;
    size_t count;
    uint32_t style; // the font's DS_SETFONT is implied by the font
    uint32_t exStyle;
};

constexpr int kIdOk = 1;
constexpr int kIdCancelButton = 2;
constexpr int kIdcTree = 1000;
constexpr int kIdcList = 1010;
constexpr int kIconMainFrame = 128;

extern const DialogTemplate kAboutTemplate;  // 100
extern const DialogTemplate kMainTemplate;   // 102
extern const DialogTemplate kDetailTemplate; // 103
