// The window texts and the structure types' captions (1000 + type). Spellings such as
// "Cnfiguration" are the original texts, kept on purpose: saved output and users rely on them.
#include "res/string_table.h"

namespace {

struct StringEntry {
    unsigned id;
    const char* text;
};

const StringEntry kStrings[] = {
    {101, "&About Corvane..."},
    {1000, "BIOS Information (Type 0)"},
    {1001, "System Information (Type 1)"},
    {1002, "Base Board Information (Type 2)"},
    {1003, "System Enclosure or Chassis (Type 3)"},
    {1004, "Processor Information (Type 4)"},
    {1005, "Memory Controller Information (Type 5)"},
    {1006, "Memory Module Information (Type 6)"},
    {1007, "Cache Information (Type 7)"},
    {1008, "Port Connector Information (Type 8)"},
    {1009, "System Slots (Type 9)"},
    {1010, "On Board Device Information (Type 10)"},
    {1011, "OEM Strings (Type 11)"},
    {1012, "System Cnfiguration Options (Type 12)"},
    {1013, "BIOS Language Information (Type 13)"},
    {1014, "Group Associations (Type 14)"},
    {1015, "System Event Log (Type 15)"},
    {1016, "Physical Memory Array (Type 16)"},
    {1017, "Memory Device (Type 17)"},
    {1018, "32-bit Memory Error Information (Type 18)"},
    {1019, "Memory Array Mapped Address (Type 19)"},
    {1020, "Memory Device Mapped Address (Type 20)"},
    {1021, "Built-in Pointing Device (Type 21)"},
    {1022, "Portable Battery (Type 22)"},
    {1023, "System Reset (Type 23)"},
    {1024, "Hardware Security (Type 24)"},
    {1025, "System Power Controls (Type 25)"},
    {1026, "Voltage Probe (Type 26)"},
    {1027, "Cooling Device (Type 27)"},
    {1028, "Temperature Probe (Type 28)"},
    {1029, "Electrical Current Probe (Type 29)"},
    {1030, "Out-of-band Remote Access (Type 30)"},
    {1031, "Boot Integrity Services Entry Point (Type 31)"},
    {1032, "System Boot Information (Type 32)"},
    {1033, "64-Bit Memory Error Information (Type 33)"},
    {1034, "Management Device (Type 34)"},
    {1035, "Management Device Component (Type 35)"},
    {1036, "Management Device Threshold Data (Type 36)"},
    {1037, "Memory Channel (Type 37)"},
    {1038, "IPMI Device Information (Type 38)"},
    {1039, "System Power Supply (Type 39)"},
    {1040, "Additional Information (Type 40)"},
    {1041, "Onboard Devices Extended Information (Type 41)"},
    {1042, "Management Controller Host Interface (Type 42)"},
    {1043, "TPM Device (Type 43)"},
    {1044, "Processor Additional Information (Type 44)"},
    {1045, "Firmware Inventory Information (Type 45)"},
    {1046, "String Property (Type 46)"},
    {1126, "Inactive (Type 126)"},
    {1127, "End-of-Table (Type 127)"},
};

} // namespace

const char* LoadResString(unsigned id)
{
    // Captions are asked for once per structure and tree node: look them up by type.
    static const struct Captions {
        const char* text[256];
        Captions() : text()
        {
            for (const StringEntry& s : kStrings)
                if (s.id >= kIdsCaptionBase && s.id - kIdsCaptionBase < 256)
                    text[s.id - kIdsCaptionBase] = s.text;
        }
    } captions;
    if (id >= kIdsCaptionBase && id - kIdsCaptionBase < 256)
        return captions.text[id - kIdsCaptionBase] ? captions.text[id - kIdsCaptionBase] : "";
    for (const StringEntry& s : kStrings)
        if (s.id == id)
            return s.text;
    return "";
}
