#include "decode/decoders.h"

#include <string>

// Processor type, byte at 0x05.
static const char* const kProcessorType[] = {
    "",
    "Other",
    "Unknown",
    "Central Processor",
    "Math Processor",
    "DSP Processor",
    "Video Processor",
};

// Processor family, byte at 0x06. Codes 0x05 and 0x06 share a text.
static const CodeText kProcessorFamily[] = {
    {0x01, "Other"},
    {0x02, "Unknown"},
    {0x03, "8086"},
    {0x04, "80286"},
    {0x05, "Intel386 processor"},
    {0x06, "Intel386 processor"},
    {0x07, "8087"},
    {0x08, "80287"},
    {0x09, "80387"},
    {0x0A, "80487"},
    {0x0B, "Pentium processor Family"},
    {0x0C, "Pentium Pro Processor"},
    {0x0D, "Pentium II processor"},
    {0x0E, "Pentium processor with MMX technology"},
    {0x0F, "Celeron processor"},
    {0x10, "Pentium II Xeon processor"},
    {0x11, "Reserved for specific Pentium processor versons"},
    {0x12, "M1 Family"},
    {0x13, "Reserved for specific M1 versions"},
    {0x19, "K5 Family"},
    {0x1A, "Reserved for specific K5 versions"},
    {0xFF, "Not Define"},
};

// Processor upgrade, byte at 0x19.
static const char* const kProcessorUpgrade[] = {
    "",
    "Other",
    "Unknown",
    "Daughter Board",
    "ZIF Socket",
    "Replaceable Piggy Back",
    "None",
    "LIF Socket",
    "Slot 1",
    "Slot 2",
};

// Processor status, bits 0 to 2 of the byte at 0x18.
static const char* const kProcessorStatus[] = {
    "Unknown",
    "CPU Enabled",
    "CPU Disable by User via BIOS Setup",
    "CPU Disabled By BIOS (POST Error)",
    "CPU is Idle,waiting to be enabled.",
    "",
    "",
    "",
};

void DecodeProcessorInformation(CDetailDlg& dlg)
{
    dlg.AddStringRow("Socket Designation", 0x04);
    dlg.AddEnumField("Processor Type", kProcessorType, 0x05);
    dlg.AddPairField("Processor Family", kProcessorFamily, 0x06);
    dlg.AddStringRow("Processor Manufaturer", 0x07);
    // Four words, not two double words: the halves of the ID print word by word.
    if (dlg.Has(0x08, 8))
        dlg.AddRow("Processor ID", dlg.Format("%.4X-%.4X-%.4X-%.4X", dlg.Word(0x08), dlg.Word(0x0A),
                                              dlg.Word(0x0C), dlg.Word(0x0E)));
    dlg.AddStringRow("Processor Version", 0x10);
    if (dlg.Has(0x11, 1)) {
        uint8_t voltage = dlg.Byte(0x11);
        if (voltage & 0x80) {
            dlg.AddRow("Processor Voltage", dlg.Format("%.1f Volt", (voltage & 0x3F) * 0.1));
        } else {
            // The older form: a flag per supported voltage instead of one value.
            std::string list;
            for (int bit = 0; bit < 3; ++bit) {
                if (voltage & (1 << bit)) {
                    if (!list.empty())
                        list += ", ";
                    list += kVoltageFlags[bit];
                }
            }
            dlg.AddRow("Processor Voltage", list.c_str());
        }
    }
    if (dlg.Has(0x12, 2))
        dlg.AddRow("External Clock", dlg.Format("%d M Hz", dlg.Word(0x12)));
    if (dlg.Has(0x14, 2))
        dlg.AddRow("Max Speed", dlg.Format("%d M Hz", dlg.Word(0x14)));
    if (dlg.Has(0x16, 2))
        dlg.AddRow("Current Speed", dlg.Format("%d M Hz", dlg.Word(0x16)));
    dlg.AddEnumField("Processor Upgrade", kProcessorUpgrade, 0x19);
    if (dlg.Has(0x18, 1)) {
        uint8_t status = dlg.Byte(0x18);
        dlg.AddRow("Processor Status", (status & 0x40) ? "CPU Socket Populated" : "CPU Socket Unpopulated");
        dlg.AddRow("", kProcessorStatus[status & 0x07]);
    }
}
