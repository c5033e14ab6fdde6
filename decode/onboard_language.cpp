// Types 10 and 13: on-board devices and BIOS language information; later device codes from SMBIOS 3.9.
#include <string>

#include "decode/decoders.h"

// One line per device, in three columns of its own instead of Description/Value.
void DecodeOnBoardDevices(CDetailDlg& dlg)
{
    dlg.SetColumns({"Description", "Device Status", "Device Type"});

    // Two bytes per device after the header; an odd last byte belongs to none.
    int devices = (dlg.Length() - 4) / 2;
    for (int i = 0; i < devices; ++i) {
        uint8_t type = dlg.Byte(0x04 + 2 * i);
        unsigned code = type & 0x7F;
        dlg.AddRow({dlg.StringAt(0x05 + 2 * i), (type & 0x80) ? "Enabled" : "Disabled",
                    dlg.EnumText(kOnBoardDeviceType, code)});
    }
}

void DecodeBiosLanguageInformation(CDetailDlg& dlg)
{
    if (dlg.Has(0x05, 1))
        dlg.AddRow("Language String Format", (dlg.Byte(0x05) & 1) ? "abbreviated format" : "long format");

    // An absent count or current language reads as 0: no languages, none marked.
    unsigned count = dlg.Byte(0x04);
    unsigned current = dlg.Byte(0x15);
    for (unsigned n = 1; n <= count; ++n) {
        // Firmware that counts more languages than it stores: list what is there.
        const char* text = dlg.FindString(n);
        if (text == nullptr)
            break;
        std::string value = text;
        if (n == current)
            value += " (Current Language)";
        dlg.AddRow(n == 1 ? "Language Support" : "", value.c_str());
    }
}
