#include "res/dialog_templates.h"

namespace {

using K = TemplateItemKind;
using namespace tpl;

constexpr uint32_t kItem = kChild | kVisible;
constexpr uint32_t kWindow = kPopup | kCaption | kSysMenu | kModalFrame;

const TemplateItem kAboutItems[] = {
    {K::Icon, -1, "icon", 13, 13, 20, 20, nullptr, kIconMainFrame, kItem | kIconImage, 0},
    {K::Text, -1, "version", 42, 12, 119, 8, "Mainboard Lumetra Ver.1.0", 0, kItem | kLeftText | kGroup | kNoPrefix, 0},
    {K::Text, -1, "secondLine", 42, 27, 119, 8, "", 0, kItem | kLeftText | kGroup, 0},
    {K::Text, -1, "problemLine", 42, 38, 186, 8, "", 0, kItem | kLeftText | kGroup, 0},
    {K::DefPushButton, kIdOk, "okButton", 178, 7, 50, 14, "OK", 0, kItem | kDefPushButton | kGroup | kTabStop, 0},
};

const TemplateItem kMainItems[] = {
    {K::PushButton, kIdCancelButton, "exitButton", 87, 203, 113, 14, "Exit", 0, kItem | kPushButton | kTabStop, 0},
    {K::TreeView, kIdcTree, "tree", 7, 7, 267, 192, "Tree1", 0,
     kItem | kBorder | kTabStop | kTreeButtons | kTreeLines | kTreeLinesAtRoot, 0},
};

const TemplateItem kDetailItems[] = {
    {K::ListView, kIdcList, "list", 7, 7, 285, 87, "", 0, kItem | kBorder | kTabStop | kListReport, 0},
    {K::DefPushButton, kIdOk, "okButton", 235, 98, 50, 14, "OK", 0, kItem | kDefPushButton | kGroup | kTabStop, 0},
    {K::Text, -1, "note", 12, 100, 205, 10, "Please referance SMBIOS specification for detail information.", 0,
     kItem | kLeftText | kGroup, 0},
};

} // namespace

const DialogTemplate kAboutTemplate = {100, "aboutBox", 235, 55, "About Lumetra", "MS Sans Serif", 8,
                                       kAboutItems, sizeof kAboutItems / sizeof kAboutItems[0], kWindow, 0};
const DialogTemplate kMainTemplate = {102, "mainWindow", 281, 224,
                                      "Mainboard Lumetra Ver.1.0 for Win9x/NT4/2000/XP", "MS Sans Serif", 8,
                                      kMainItems, sizeof kMainItems / sizeof kMainItems[0], kWindow | kVisible,
                                      kExAppWindow};
const DialogTemplate kDetailTemplate = {103, "detailWindow", 299, 114, "", "Arial", 8,
                                        kDetailItems, sizeof kDetailItems / sizeof kDetailItems[0], kWindow, 0};
