// Type 4: processor information; fields past the original's as of SMBIOS 2.1 to 3.6.
// Texts such as "Processor Manufaturer" and "Not Define" are the original tables' own, kept as they are.
#include <string>

#include "decode/decoders.h"

// Processor type (type 4, 0x05).
static const char* const kProcessorType[] = {
    "",
    "Other",
    "Unknown",
    "Central Processor",
    "Math Processor",
    "DSP Processor",
    "Video Processor",
};

// Processor family (type 4, 0x06). Codes 0x05 and 0x06 share a text.
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
    // End of the original list; later codes: SMBIOS 3.9.
    {0x14, "Intel Celeron M processor"},
    {0x15, "Intel Pentium 4 HT processor"},
    {0x16, "Intel Processor"},
    {0x18, "AMD Duron Processor Family"},
    {0x1B, "K6-2"},
    {0x1C, "K6-3"},
    {0x1D, "AMD Athlon Processor Family"},
    {0x1E, "AMD29000 Family"},
    {0x1F, "K6-2+"},
    {0x20, "Power PC Family"},
    {0x21, "Power PC 601"},
    {0x22, "Power PC 603"},
    {0x23, "Power PC 603+"},
    {0x24, "Power PC 604"},
    {0x25, "Power PC 620"},
    {0x26, "Power PC x704"},
    {0x27, "Power PC 750"},
    {0x28, "Intel Core Duo processor"},
    {0x29, "Intel Core Duo mobile processor"},
    {0x2A, "Intel Core Solo mobile processor"},
    {0x2B, "Intel Atom processor"},
    {0x2C, "Intel Core M processor"},
    {0x2D, "Intel Core m3 processor"},
    {0x2E, "Intel Core m5 processor"},
    {0x2F, "Intel Core m7 processor"},
    {0x30, "Alpha Family"},
    {0x31, "Alpha 21064"},
    {0x32, "Alpha 21066"},
    {0x33, "Alpha 21164"},
    {0x34, "Alpha 21164PC"},
    {0x35, "Alpha 21164a"},
    {0x36, "Alpha 21264"},
    {0x37, "Alpha 21364"},
    {0x38, "AMD Turion II Ultra Dual-Core Mobile M Processor Family"},
    {0x39, "AMD Turion II Dual-Core Mobile M Processor Family"},
    {0x3A, "AMD Athlon II Dual-Core M Processor Family"},
    {0x3B, "AMD Opteron 6100 Series Processor"},
    {0x3C, "AMD Opteron 4100 Series Processor"},
    {0x3D, "AMD Opteron 6200 Series Processor"},
    {0x3E, "AMD Opteron 4200 Series Processor"},
    {0x3F, "AMD FX Series Processor"},
    {0x40, "MIPS Family"},
    {0x41, "MIPS R4000"},
    {0x42, "MIPS R4200"},
    {0x43, "MIPS R4400"},
    {0x44, "MIPS R4600"},
    {0x45, "MIPS R10000"},
    {0x46, "AMD C-Series Processor"},
    {0x47, "AMD E-Series Processor"},
    {0x48, "AMD A-Series Processor"},
    {0x49, "AMD G-Series Processor"},
    {0x4A, "AMD Z-Series Processor"},
    {0x4B, "AMD R-Series Processor"},
    {0x4C, "AMD Opteron 4300 Series Processor"},
    {0x4D, "AMD Opteron 6300 Series Processor"},
    {0x4E, "AMD Opteron 3300 Series Processor"},
    {0x4F, "AMD FirePro Series Processor"},
    {0x50, "SPARC Family"},
    {0x51, "SuperSPARC"},
    {0x52, "microSPARC II"},
    {0x53, "microSPARC IIep"},
    {0x54, "UltraSPARC"},
    {0x55, "UltraSPARC II"},
    {0x56, "UltraSPARC IIi"},
    {0x57, "UltraSPARC III"},
    {0x58, "UltraSPARC IIIi"},
    {0x60, "68040 Family"},
    {0x61, "68xxx"},
    {0x62, "68000"},
    {0x63, "68010"},
    {0x64, "68020"},
    {0x65, "68030"},
    {0x66, "AMD Athlon X4 Quad-Core Processor Family"},
    {0x67, "AMD Opteron X1000 Series Processor"},
    {0x68, "AMD Opteron X2000 Series APU"},
    {0x69, "AMD Opteron A-Series Processor"},
    {0x6A, "AMD Opteron X3000 Series APU"},
    {0x6B, "AMD Zen Processor Family"},
    {0x70, "Hobbit Family"},
    {0x78, "Crusoe TM5000 Family"},
    {0x79, "Crusoe TM3000 Family"},
    {0x7A, "Efficeon TM8000 Family"},
    {0x80, "Weitek"},
    {0x82, "Itanium processor"},
    {0x83, "AMD Athlon 64 Processor Family"},
    {0x84, "AMD Opteron Processor Family"},
    {0x85, "AMD Sempron Processor Family"},
    {0x86, "AMD Turion 64 Mobile Technology"},
    {0x87, "Dual-Core AMD Opteron Processor Family"},
    {0x88, "AMD Athlon 64 X2 Dual-Core Processor Family"},
    {0x89, "AMD Turion 64 X2 Mobile Technology"},
    {0x8A, "Quad-Core AMD Opteron Processor Family"},
    {0x8B, "Third-Generation AMD Opteron Processor Family"},
    {0x8C, "AMD Phenom FX Quad-Core Processor Family"},
    {0x8D, "AMD Phenom X4 Quad-Core Processor Family"},
    {0x8E, "AMD Phenom X2 Dual-Core Processor Family"},
    {0x8F, "AMD Athlon X2 Dual-Core Processor Family"},
    {0x90, "PA-RISC Family"},
    {0x91, "PA-RISC 8500"},
    {0x92, "PA-RISC 8000"},
    {0x93, "PA-RISC 7300LC"},
    {0x94, "PA-RISC 7200"},
    {0x95, "PA-RISC 7100LC"},
    {0x96, "PA-RISC 7100"},
    {0xA0, "V30 Family"},
    {0xA1, "Quad-Core Intel Xeon processor 3200 Series"},
    {0xA2, "Dual-Core Intel Xeon processor 3000 Series"},
    {0xA3, "Quad-Core Intel Xeon processor 5300 Series"},
    {0xA4, "Dual-Core Intel Xeon processor 5100 Series"},
    {0xA5, "Dual-Core Intel Xeon processor 5000 Series"},
    {0xA6, "Dual-Core Intel Xeon processor LV"},
    {0xA7, "Dual-Core Intel Xeon processor ULV"},
    {0xA8, "Dual-Core Intel Xeon processor 7100 Series"},
    {0xA9, "Quad-Core Intel Xeon processor 5400 Series"},
    {0xAA, "Quad-Core Intel Xeon processor"},
    {0xAB, "Dual-Core Intel Xeon processor 5200 Series"},
    {0xAC, "Dual-Core Intel Xeon processor 7200 Series"},
    {0xAD, "Quad-Core Intel Xeon processor 7300 Series"},
    {0xAE, "Quad-Core Intel Xeon processor 7400 Series"},
    {0xAF, "Multi-Core Intel Xeon processor 7400 Series"},
    {0xB0, "Pentium III Xeon processor"},
    {0xB1, "Pentium III Processor with Intel SpeedStep Technology"},
    {0xB2, "Pentium 4 Processor"},
    {0xB3, "Intel Xeon processor"},
    {0xB4, "AS400 Family"},
    {0xB5, "Intel Xeon processor MP"},
    {0xB6, "AMD Athlon XP Processor Family"},
    {0xB7, "AMD Athlon MP Processor Family"},
    {0xB8, "Intel Itanium 2 processor"},
    {0xB9, "Intel Pentium M processor"},
    {0xBA, "Intel Celeron D processor"},
    {0xBB, "Intel Pentium D processor"},
    {0xBC, "Intel Pentium Processor Extreme Edition"},
    {0xBD, "Intel Core Solo Processor"},
    {0xBE, "Reserved"},
    {0xBF, "Intel Core 2 Duo Processor"},
    {0xC0, "Intel Core 2 Solo processor"},
    {0xC1, "Intel Core 2 Extreme processor"},
    {0xC2, "Intel Core 2 Quad processor"},
    {0xC3, "Intel Core 2 Extreme mobile processor"},
    {0xC4, "Intel Core 2 Duo mobile processor"},
    {0xC5, "Intel Core 2 Solo mobile processor"},
    {0xC6, "Intel Core i7 processor"},
    {0xC7, "Dual-Core Intel Celeron processor"},
    {0xC8, "IBM390 Family"},
    {0xC9, "G4"},
    {0xCA, "G5"},
    {0xCB, "ESA/390 G6"},
    {0xCC, "z/Architecture base"},
    {0xCD, "Intel Core i5 processor"},
    {0xCE, "Intel Core i3 processor"},
    {0xCF, "Intel Core i9 processor"},
    {0xD0, "Intel Xeon D Processor family"},
    {0xD2, "VIA C7-M Processor Family"},
    {0xD3, "VIA C7-D Processor Family"},
    {0xD4, "VIA C7 Processor Family"},
    {0xD5, "VIA Eden Processor Family"},
    {0xD6, "Multi-Core Intel Xeon processor"},
    {0xD7, "Dual-Core Intel Xeon processor 3xxx Series"},
    {0xD8, "Quad-Core Intel Xeon processor 3xxx Series"},
    {0xD9, "VIA Nano Processor Family"},
    {0xDA, "Dual-Core Intel Xeon processor 5xxx Series"},
    {0xDB, "Quad-Core Intel Xeon processor 5xxx Series"},
    {0xDD, "Dual-Core Intel Xeon processor 7xxx Series"},
    {0xDE, "Quad-Core Intel Xeon processor 7xxx Series"},
    {0xDF, "Multi-Core Intel Xeon processor 7xxx Series"},
    {0xE0, "Multi-Core Intel Xeon processor 3400 Series"},
    {0xE4, "AMD Opteron 3000 Series Processor"},
    {0xE5, "AMD Sempron II Processor"},
    {0xE6, "Embedded AMD Opteron Quad-Core Processor Family"},
    {0xE7, "AMD Phenom Triple-Core Processor Family"},
    {0xE8, "AMD Turion Ultra Dual-Core Mobile Processor Family"},
    {0xE9, "AMD Turion Dual-Core Mobile Processor Family"},
    {0xEA, "AMD Athlon Dual-Core Processor Family"},
    {0xEB, "AMD Sempron SI Processor Family"},
    {0xEC, "AMD Phenom II Processor Family"},
    {0xED, "AMD Athlon II Processor Family"},
    {0xEE, "Six-Core AMD Opteron Processor Family"},
    {0xEF, "AMD Sempron M Processor Family"},
    {0xFA, "i860"},
    {0xFB, "i960"},
    {0xFE, "See Processor Family 2"},
    {0xFF, "Not Define"},
};

// Processor family 2 (type 4, 0x28; SMBIOS 2.6) for the codes that do not fit a byte; codes
// below 0x100 name the same families as the byte.
struct WideCodeText {
    uint16_t code;
    const char* text;
};
static const WideCodeText kProcessorFamily2[] = {
    {0x100, "ARMv7"},
    {0x101, "ARMv8"},
    {0x102, "ARMv9"},
    {0x104, "SH-3"},
    {0x105, "SH-4"},
    {0x118, "ARM"},
    {0x119, "StrongARM"},
    {0x12C, "6x86"},
    {0x12D, "MediaGX"},
    {0x12E, "MII"},
    {0x140, "WinChip"},
    {0x15E, "DSP"},
    {0x1F4, "Video Processor"},
    {0x200, "RISC-V RV32"},
    {0x201, "RISC-V RV64"},
    {0x202, "RISC-V RV128"},
    {0x258, "LoongArch"},
    {0x259, "Loongson 1 Processor Family"},
    {0x25A, "Loongson 2 Processor Family"},
    {0x25B, "Loongson 3 Processor Family"},
    {0x25C, "Loongson 2K Processor Family"},
    {0x25D, "Loongson 3A Processor Family"},
    {0x25E, "Loongson 3B Processor Family"},
    {0x25F, "Loongson 3C Processor Family"},
    {0x260, "Loongson 3D Processor Family"},
    {0x261, "Loongson 3E Processor Family"},
    {0x262, "Dual-Core Loongson 2K Processor 2xxx Series"},
    {0x26C, "Quad-Core Loongson 3A Processor 5xxx Series"},
    {0x26D, "Multi-Core Loongson 3A Processor 5xxx Series"},
    {0x26E, "Quad-Core Loongson 3B Processor 5xxx Series"},
    {0x26F, "Multi-Core Loongson 3B Processor 5xxx Series"},
    {0x270, "Multi-Core Loongson 3C Processor 5xxx Series"},
    {0x271, "Multi-Core Loongson 3D Processor 5xxx Series"},
};

// Processor upgrade (type 4, 0x19).
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
    // End of the original table; later codes: SMBIOS 3.9.
    "370-pin socket",
    "Slot A",
    "Slot M",
    "Socket 423",
    "Socket A (Socket 462)",
    "Socket 478",
    "Socket 754",
    "Socket 940",
    "Socket 939",
    "Socket mPGA604",
    "Socket LGA771",
    "Socket LGA775",
    "Socket S1",
    "Socket AM2",
    "Socket F (1207)",
    "Socket LGA1366",
    "Socket G34",
    "Socket AM3",
    "Socket C32",
    "Socket LGA1156",
    "Socket LGA1567",
    "Socket PGA988A",
    "Socket BGA1288",
    "Socket rPGA988B",
    "Socket BGA1023",
    "Socket BGA1224",
    "Socket LGA1155",
    "Socket LGA1356",
    "Socket LGA2011",
    "Socket FS1",
    "Socket FS2",
    "Socket FM1",
    "Socket FM2",
    "Socket LGA2011-3",
    "Socket LGA1356-3",
    "Socket LGA1150",
    "Socket BGA1168",
    "Socket BGA1234",
    "Socket BGA1364",
    "Socket AM4",
    "Socket LGA1151",
    "Socket BGA1356",
    "Socket BGA1440",
    "Socket BGA1515",
    "Socket LGA3647-1",
    "Socket SP3",
    "Socket SP3r2",
    "Socket LGA2066",
    "Socket BGA1392",
    "Socket BGA1510",
    "Socket BGA1528",
    "Socket LGA4189",
    "Socket LGA1200",
    "Socket LGA4677",
    "Socket LGA1700",
    "Socket BGA1744",
    "Socket BGA1781",
    "Socket BGA1211",
    "Socket BGA2422",
    "Socket LGA1211",
    "Socket LGA2422",
    "Socket LGA5773",
    "Socket BGA5773",
    "Socket AM5",
    "Socket SP5",
    "Socket SP6",
    "Socket BGA883",
    "Socket BGA1190",
    "Socket BGA4129",
    "Socket LGA4710",
    "Socket LGA7529",
    "Socket BGA1964",
    "Socket BGA1792",
    "Socket BGA2049",
    "Socket BGA2551",
    "Socket LGA1851",
    "Socket BGA2114",
    "Socket BGA2833",
};

// Processor status (type 4, 0x18, bits 0 to 2).
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

// Processor characteristics (type 4, 0x26; SMBIOS 2.5), by bit; a later group, so bits
// without a name show too.
static const char* const kProcessorCharacteristics[16] = {
    "Reserved",
    "Unknown",
    "64-bit Capable",
    "Multi-Core",
    "Hardware Thread",
    "Execute Protection",
    "Enhanced Virtualization",
    "Power/Performance Control",
    "128-bit Capable",
    "Arm64 SoC ID",
};

// Counts that outgrew their byte: 0xFF there defers to the word of SMBIOS 3.0.
constexpr uint8_t kCountSeeWord = 0xFF;
constexpr uint8_t kFamilySeeWord = 0xFE;

constexpr uint16_t kNoCache = 0xFFFF;

// A count byte whose 0xFF defers to the word at wideOffset when the structure has it; 0 is unknown.
static void AddWideCountRow(CDetailDlg& dlg, const char* description, size_t offset, size_t wideOffset)
{
    if (!dlg.Has(offset, 1))
        return;
    unsigned count = dlg.Byte(offset);
    if (count == kCountSeeWord && dlg.Has(wideOffset, 2))
        count = dlg.Word(wideOffset);
    dlg.AddRow(description, count == 0 ? "Unknown" : dlg.Format("%u", count));
}

static const char* ProcessorFamily2Text(CDetailDlg& dlg, uint16_t code)
{
    // Below 0x100 the byte's list holds the name, except for its two codes that name no family.
    if (code < 0xFE)
        return CDetailDlg::FindPairText(kProcessorFamily, static_cast<uint8_t>(code));
    for (const WideCodeText& entry : kProcessorFamily2) {
        if (entry.code == code)
            return entry.text;
    }
    return dlg.Format("0x%.4X", code);
}

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
    dlg.AddNumberRow("External Clock", 0x12, 2, "%u M Hz");
    dlg.AddNumberRow("Max Speed", 0x14, 2, "%u M Hz");
    dlg.AddNumberRow("Current Speed", 0x16, 2, "%u M Hz");
    dlg.AddEnumField("Processor Upgrade", kProcessorUpgrade, 0x19);
    if (dlg.Has(0x18, 1)) {
        uint8_t status = dlg.Byte(0x18);
        dlg.AddRow("Processor Status", (status & 0x40) ? "CPU Socket Populated" : "CPU Socket Unpopulated");
        dlg.AddRow("", kProcessorStatus[status & 0x07]);
    }

    dlg.AddHandleRow("L1 Cache Handle", 0x1A, "0x%.4X", kNoCache, "Not Provided");
    dlg.AddHandleRow("L2 Cache Handle", 0x1C, "0x%.4X", kNoCache, "Not Provided");
    dlg.AddHandleRow("L3 Cache Handle", 0x1E, "0x%.4X", kNoCache, "Not Provided");
    dlg.AddStringRow("Serial Number", 0x20);
    dlg.AddStringRow("Asset Tag", 0x21);
    dlg.AddStringRow("Part Number", 0x22);
    AddWideCountRow(dlg, "Core Count", 0x23, 0x2A);
    AddWideCountRow(dlg, "Core Enabled", 0x24, 0x2C);
    AddWideCountRow(dlg, "Thread Count", 0x25, 0x2E);
    dlg.AddFlagField("Processor Characteristics", 0x26, 2, kProcessorCharacteristics);
    // Only where the family byte defers to it, as the byte's own row says.
    if (dlg.Byte(0x06) == kFamilySeeWord && dlg.Has(0x28, 2))
        dlg.AddRow("Processor Family 2", ProcessorFamily2Text(dlg, dlg.Word(0x28)));
    dlg.AddNumberRow("Thread Enabled", 0x30, 2, "%u", 0, "Unknown");
}
