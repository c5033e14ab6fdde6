// Types 21 to 25 and 30 to 32: pointing device, battery, reset, security, power controls, remote access, BIS, boot status.
// Layouts: SMBIOS 3.9.0.
#include <cstdio>

#include "decode/decoders.h"

// Pointing device type (type 21, 0x04).
static const char* const kPointingDeviceType[] = {
    nullptr,
    "Other",
    "Unknown",
    "Mouse",
    "Track Ball",
    "Track Point",
    "Glide Point",
    "Touch Pad",
    "Touch Screen",
    "Optical Sensor",
};

// Pointing device interface (type 21, 0x05). Codes not listed show in hex.
static const CodeText kPointingDeviceInterface[] = {
    {0x01, "Other"},
    {0x02, "Unknown"},
    {0x03, "Serial"},
    {0x04, "PS/2"},
    {0x05, "Infrared"},
    {0x06, "HP-HIL"},
    {0x07, "Bus mouse"},
    {0x08, "ADB (Apple Desktop Bus)"},
    {0xA0, "Bus mouse DB-9"},
    {0xA1, "Bus mouse micro-DIN"},
    {0xA2, "USB"},
    {0xA3, "I2C"},
    {0xA4, "SPI"},
    {0xFF, nullptr},
};

// Battery device chemistry (type 22, 0x09).
static const char* const kBatteryChemistry[] = {
    nullptr,
    "Other",
    "Unknown",
    "Lead Acid",
    "Nickel Cadmium",
    "Nickel metal hydride",
    "Lithium-ion",
    "Zinc air",
    "Lithium Polymer",
};
constexpr uint8_t kChemistryUnknown = 0x02; // the SBDS chemistry string names it instead

// Boot option and boot option on limit (type 23, 0x04, bits 1-2 and 3-4).
static const char* const kResetBootOption[] = {
    "Reserved",
    "Operating system",
    "System utilities",
    "Do not reboot",
};
constexpr uint16_t kResetUnknown = 0xFFFF; // type 23, 0x05 to 0x0B

// Password and front panel reset status (type 24, 0x04, two bits each).
static const char* const kSecurityStatus[] = {
    "Disabled",
    "Enabled",
    "Not Implemented",
    "Unknown",
};

// Boot status (type 32, 0x0A), codes 0 to 8; 128 and up are the vendor's own.
static const char* const kBootStatus[] = {
    "No errors detected",
    "No bootable media",
    "Normal operating system failed to load",
    "Firmware-detected hardware failure",
    "Operating system-detected hardware failure",
    "User-requested boot",
    "System security violation",
    "Previously-requested image",
    "System watchdog timer expired",
};

void DecodeBuiltInPointingDevice(CDetailDlg& dlg)
{
    dlg.AddEnumField("Type", kPointingDeviceType, 0x04);
    if (dlg.Has(0x05, 1)) {
        const char* text = CDetailDlg::FindPairText(kPointingDeviceInterface, dlg.Byte(0x05));
        dlg.AddRow("Interface", text ? text : dlg.Format("0x%.2X", dlg.Byte(0x05)));
    }
    dlg.AddNumberRow("Number of Buttons", 0x06, 1, "%u");
}

void DecodePortableBattery(CDetailDlg& dlg)
{
    dlg.AddStringRow("Location", 0x04);
    dlg.AddStringRow("Manufacturer", 0x05);
    dlg.AddStringRow("Manufacture Date", 0x06);
    dlg.AddStringRow("Serial Number", 0x07);
    dlg.AddStringRow("Device Name", 0x08);
    dlg.AddEnumField("Device Chemistry", kBatteryChemistry, 0x09);
    if (dlg.Has(0x0A, 2)) {
        // Smart batteries count in tens of mWh through the multiplier (SMBIOS 2.2); without
        // it, or at an invalid 0, the factor is 1.
        uint32_t multiplier = dlg.Has(0x15, 1) && dlg.Byte(0x15) != 0 ? dlg.Byte(0x15) : 1;
        uint32_t capacity = dlg.Word(0x0A);
        dlg.AddRow("Design Capacity", capacity == 0 ? "Unknown" : dlg.Format("%u mWh", capacity * multiplier));
    }
    dlg.AddNumberRow("Design Voltage", 0x0C, 2, "%u mV", 0, "Unknown");
    dlg.AddStringRow("SBDS Version Number", 0x0E);
    dlg.AddNumberRow("Maximum Error in Battery Data", 0x0F, 1, "%u%%", 0xFF, "Unknown");
    // Each SBDS field stands in for a field above that the firmware leaves at 0 (or Unknown).
    if (dlg.Byte(0x07) == 0)
        dlg.AddNumberRow("SBDS Serial Number", 0x10, 2, "%.4X");
    if (dlg.Byte(0x06) == 0 && dlg.Has(0x12, 2)) {
        uint16_t date = dlg.Word(0x12);
        dlg.AddRow("SBDS Manufacture Date",
                   dlg.Format("%u-%.2u-%.2u", 1980u + (date >> 9), (date >> 5) & 0x0Fu, date & 0x1Fu));
    }
    if (dlg.Byte(0x09) == kChemistryUnknown)
        dlg.AddStringRow("SBDS Device Chemistry", 0x14);
    dlg.AddNumberRow("OEM-specific", 0x16, 4, "0x%.8X");
}

void DecodeSystemReset(CDetailDlg& dlg)
{
    if (dlg.Has(0x04, 1)) {
        uint8_t capabilities = dlg.Byte(0x04);
        dlg.AddRow("Status", (capabilities & 0x01) ? "Enabled" : "Disabled");
        dlg.AddRow("Watchdog Timer", (capabilities & 0x20) ? "Present" : "Not Present");
        dlg.AddEnumRow("Boot Option", kResetBootOption, (capabilities >> 1) & 3u);
        dlg.AddEnumRow("Boot Option on Limit", kResetBootOption, (capabilities >> 3) & 3u);
    }
    dlg.AddNumberRow("Reset Count", 0x05, 2, "%u", kResetUnknown, "Unknown");
    dlg.AddNumberRow("Reset Limit", 0x07, 2, "%u", kResetUnknown, "Unknown");
    dlg.AddNumberRow("Timer Interval", 0x09, 2, "%u min", kResetUnknown, "Unknown");
    dlg.AddNumberRow("Timeout", 0x0B, 2, "%u min", kResetUnknown, "Unknown");
}

void DecodeHardwareSecurity(CDetailDlg& dlg)
{
    if (!dlg.Has(0x04, 1))
        return;
    uint8_t settings = dlg.Byte(0x04);
    dlg.AddEnumRow("Power-on Password Status", kSecurityStatus, settings >> 6);
    dlg.AddEnumRow("Keyboard Password Status", kSecurityStatus, (settings >> 4) & 3u);
    dlg.AddEnumRow("Administrator Password Status", kSecurityStatus, (settings >> 2) & 3u);
    dlg.AddEnumRow("Front Panel Reset Status", kSecurityStatus, settings & 3u);
}

void DecodeSystemPowerControls(CDetailDlg& dlg)
{
    // Month, day, hour, minute, second in BCD; 0xFF leaves the field out of the schedule.
    if (!dlg.Has(0x04, 5))
        return;
    char parts[5][3];
    for (size_t n = 0; n < 5; ++n) {
        uint8_t bcd = dlg.Byte(0x04 + n);
        if (bcd == 0xFF)
            std::snprintf(parts[n], sizeof parts[n], "*");
        else
            std::snprintf(parts[n], sizeof parts[n], "%.2X", bcd);
    }
    dlg.AddRow("Next Scheduled Power-on",
               dlg.Format("%s-%s %s:%s:%s", parts[0], parts[1], parts[2], parts[3], parts[4]));
}

void DecodeOutOfBandRemoteAccess(CDetailDlg& dlg)
{
    dlg.AddStringRow("Manufacturer Name", 0x04);
    if (dlg.Has(0x05, 1)) {
        uint8_t connections = dlg.Byte(0x05);
        dlg.AddRow("Inbound Connection", (connections & 0x01) ? "Enabled" : "Disabled");
        dlg.AddRow("Outbound Connection", (connections & 0x02) ? "Enabled" : "Disabled");
    }
}

void DecodeBootIntegrityServices(CDetailDlg& dlg)
{
    if (dlg.Has(0x04, 1)) {
        // The checksum byte makes the whole formatted area sum to 0.
        uint8_t sum = 0;
        for (size_t at = 0; dlg.Has(at, 1); ++at)
            sum = static_cast<uint8_t>(sum + dlg.Byte(at));
        dlg.AddRow("Checksum", sum == 0 ? "OK" : "Invalid");
    }
    // A real-mode far pointer: the segment in the high word.
    if (dlg.Has(0x08, 4))
        dlg.AddRow("16-bit Entry Point Address", dlg.Format("%.4X:%.4X", dlg.Word(0x0A), dlg.Word(0x08)));
    dlg.AddNumberRow("32-bit Entry Point Address", 0x0C, 4, "0x%.8X");
}

void DecodeSystemBootInformation(CDetailDlg& dlg)
{
    if (!dlg.Has(0x0A, 1))
        return;
    unsigned status = dlg.Byte(0x0A);
    dlg.AddRow("Boot Status", status >= 192   ? "Product-specific"
                              : status >= 128 ? "OEM-specific"
                                              : dlg.EnumText(kBootStatus, status));
}
