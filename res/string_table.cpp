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
    {1032, "System Boot Information (Type 32)"},
    {1126, "Inactive (Type 126)"},
    {1127, "End-of-Table (Type 127)"},
};

} // namespace

const char* LoadResString(unsigned id)
{
    for (const StringEntry& s : kStrings)
        if (s.id == id)
            return s.text;
    return "";
}
