#pragma once
// Dialog templates 100 (About box), 102 (main window) and 103 (detail window).
// Positions and sizes are in dialog units of the template's font; items are in tab order.
#include <cstddef>

enum class TemplateItemKind { PushButton, DefPushButton, Text, Icon, TreeView, ListView };

struct TemplateItem {
    TemplateItemKind kind;
    int id;           // control id; -1 for a static item without one
    const char* name; // the widget's object name
    int x, y, cx, cy;
    const char* text; // for an icon, unused
    int icon;         // for an icon, the icon resource
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
};

constexpr int kIdOk = 1;
constexpr int kIdCancelButton = 2;
constexpr int kIdcTree = 1000;
constexpr int kIdcList = 1010;
constexpr int kIconMainFrame = 128;

extern const DialogTemplate kAboutTemplate;  // 100
extern const DialogTemplate kMainTemplate;   // 102
extern const DialogTemplate kDetailTemplate; // 103
