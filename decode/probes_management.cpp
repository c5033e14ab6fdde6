// Types 26 to 29, 34 to 36 and 39: probes, cooling devices, management devices, power supplies.
// Layouts: SMBIOS 3.9.0.
// Row text is Latin-1, so the degree sign is the byte B0.
#include "decode/decoders.h"

// Probe location (types 26, 28 and 29, 0x05, bits 0-4). Voltage and current probes use the
// codes up to Add-in Card; temperature probes all of them.
static const char* const kProbeLocation[] = {
    nullptr,
    "Other",
    "Unknown",
    "Processor",
    "Disk",
    "Peripheral Bay",
    "System Management Module",
    "Motherboard",
    "Memory Module",
    "Processor Module",
    "Power Unit",
    "Add-in Card",
    "Front Panel Board",
    "Back Panel Board",
    "Power System Board",
    "Drive Back Plane",
};

// Probe and cooling device status (types 26, 28 and 29, 0x05, and type 27, 0x06; bits 5-7).
static const char* const kProbeStatus[] = {
    nullptr,
    "Other",
    "Unknown",
    "OK",
    "Non-critical",
    "Critical",
    "Non-recoverable",
};

// Cooling device type (type 27, 0x06, bits 0-4).
static const char* const kCoolingDeviceType[] = {
    nullptr,
    "Other",
    "Unknown",
    "Fan",
    "Centrifugal Blower",
    "Chip Fan",
    "Cabinet Fan",
    "Power Supply Fan",
    "Heat Pipe",
    "Integrated Refrigeration",
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    "Active Cooling",
    "Passive Cooling",
};

// Management device type (type 34, 0x05).
static const char* const kManagementDeviceType[] = {
    nullptr,
    "Other",
    "Unknown",
    "National Semiconductor LM75",
    "National Semiconductor LM78",
    "National Semiconductor LM79",
    "National Semiconductor LM80",
    "National Semiconductor LM81",
    "Analog Devices ADM9240",
    "Dallas Semiconductor DS1780",
    "Maxim 1617",
    "Genesys GL518SM",
    "Winbond W83781D",
    "Holtek HT82H791",
};

// Management device address type (type 34, 0x0A).
static const char* const kManagementAddressType[] = {
    nullptr,
    "Other",
    "Unknown",
    "I/O Port",
    "Memory",
    "SM Bus",
};

// DMTF power supply type (type 39, 0x0E, bits 10-13).
static const char* const kPowerSupplyType[] = {
    nullptr,
    "Other",
    "Unknown",
    "Linear",
    "Switching",
    "Battery",
    "UPS",
    "Converter",
    "Regulator",
};

// Power supply status (type 39, 0x0E, bits 7-9).
static const char* const kPowerSupplyStatus[] = {
    nullptr,
    "Other",
    "Unknown",
    "OK",
    "Non-critical",
    "Critical",
};

// DMTF input voltage range switching (type 39, 0x0E, bits 3-6).
static const char* const kInputVoltageRangeSwitching[] = {
    nullptr,
    "Other",
    "Unknown",
    "Manual",
    "Auto-switch",
    "Wide range",
    "Not applicable",
};

// Management device threshold data (type 36): each threshold's offset and name.
struct Threshold {
    uint8_t offset;
    const char* name;
};
static const Threshold kThresholds[] = {
    {0x04, "Lower Threshold - Non-critical"},
    {0x06, "Upper Threshold - Non-critical"},
    {0x08, "Lower Threshold - Critical"},
    {0x0A, "Upper Threshold - Critical"},
    {0x0C, "Lower Threshold - Non-recoverable"},
    {0x0E, "Upper Threshold - Non-recoverable"},
};

// The three probe types share a layout; what their words count differs. Readings are
// signed (a -12 V rail, a temperature below zero); resolution, tolerance and accuracy are not.
struct ProbeKind {
    unsigned lastLocation;      // the last kProbeLocation code this kind defines
    const char* unit;           // of maximum, minimum, tolerance and nominal value
    int decimals;               // their digits after the point in that unit
    const char* resolutionUnit;
    int resolutionDecimals;
};
static const ProbeKind kVoltageProbe = {0x0B, "V", 3, "mV", 1};              // mV; 1/10 mV
static const ProbeKind kTemperatureProbe = {0x0F, "\xB0" "C", 1, "\xB0" "C", 3}; // 1/10 and 1/1000 degree
static const ProbeKind kCurrentProbe = {0x0B, "A", 3, "mA", 1};              // mA; 1/10 mA
constexpr int kAccuracyDecimals = 2; // 1/100 %

constexpr uint16_t kUnknownValue = 0x8000; // probe words, nominal speed (type 27), power capacity (type 39)
constexpr uint16_t kNoThreshold = 0x8000;
constexpr uint16_t kNoHandle = 0xFFFF;

// A word counting 10^-decimals of unit, shown with no more digits than it has, but one
// after the point.
static void AddScaledRow(CDetailDlg& dlg, const char* description, size_t offset, bool isSigned, int decimals,
                         const char* unit)
{
    if (!dlg.Has(offset, 2))
        return;
    uint16_t raw = dlg.Word(offset);
    if (raw == kUnknownValue) {
        dlg.AddRow(description, "Unknown");
        return;
    }
    long value = isSigned ? static_cast<int16_t>(raw) : static_cast<long>(raw);
    unsigned long magnitude = static_cast<unsigned long>(value < 0 ? -value : value);
    unsigned long scale = 1;
    for (int n = 0; n < decimals; ++n)
        scale *= 10;
    unsigned long fraction = magnitude % scale;
    int digits = decimals;
    for (; digits > 1 && fraction % 10 == 0; --digits)
        fraction /= 10;
    dlg.AddRow(description,
               dlg.Format("%s%lu.%0*lu %s", value < 0 ? "-" : "", magnitude / scale, digits, fraction, unit));
}

static void DecodeProbe(CDetailDlg& dlg, const ProbeKind& kind)
{
    dlg.AddStringRow("Description", 0x04);
    if (dlg.Has(0x05, 1)) {
        unsigned location = dlg.Byte(0x05) & 0x1Fu;
        dlg.AddRow("Location", location <= kind.lastLocation ? dlg.EnumText(kProbeLocation, location)
                                                             : dlg.Format("0x%.2X", location));
        dlg.AddEnumRow("Status", kProbeStatus, dlg.Byte(0x05) >> 5);
    }
    AddScaledRow(dlg, "Maximum Value", 0x06, true, kind.decimals, kind.unit);
    AddScaledRow(dlg, "Minimum Value", 0x08, true, kind.decimals, kind.unit);
    AddScaledRow(dlg, "Resolution", 0x0A, false, kind.resolutionDecimals, kind.resolutionUnit);
    AddScaledRow(dlg, "Tolerance", 0x0C, false, kind.decimals, kind.unit);
    AddScaledRow(dlg, "Accuracy", 0x0E, false, kAccuracyDecimals, "%");
    dlg.AddNumberRow("OEM-defined", 0x10, 4, "0x%.8X");
    AddScaledRow(dlg, "Nominal Value", 0x14, true, kind.decimals, kind.unit);
}

void DecodeVoltageProbe(CDetailDlg& dlg)
{
    DecodeProbe(dlg, kVoltageProbe);
}

void DecodeCoolingDevice(CDetailDlg& dlg)
{
    dlg.AddHandleRow("Temperature Probe Handle", 0x04, "0x%.4X", kNoHandle, "None");
    if (dlg.Has(0x06, 1)) {
        dlg.AddEnumRow("Device Type", kCoolingDeviceType, dlg.Byte(0x06) & 0x1Fu);
        dlg.AddEnumRow("Status", kProbeStatus, dlg.Byte(0x06) >> 5);
    }
    // 0: the device is not one of a redundant cooling unit.
    dlg.AddNumberRow("Cooling Unit Group", 0x07, 1, "%u", 0, "None");
    dlg.AddNumberRow("OEM-defined", 0x08, 4, "0x%.8X");
    // 0x8000 also stands for a device that does not rotate.
    dlg.AddNumberRow("Nominal Speed", 0x0C, 2, "%u rpm", kUnknownValue, "Unknown");
    dlg.AddStringRow("Description", 0x0E);
}

void DecodeTemperatureProbe(CDetailDlg& dlg)
{
    DecodeProbe(dlg, kTemperatureProbe);
}

void DecodeElectricalCurrentProbe(CDetailDlg& dlg)
{
    DecodeProbe(dlg, kCurrentProbe);
}

void DecodeManagementDevice(CDetailDlg& dlg)
{
    dlg.AddStringRow("Description", 0x04);
    dlg.AddEnumField("Type", kManagementDeviceType, 0x05);
    dlg.AddNumberRow("Address", 0x06, 4, "0x%.8X");
    dlg.AddEnumField("Address Type", kManagementAddressType, 0x0A);
}

void DecodeManagementDeviceComponent(CDetailDlg& dlg)
{
    dlg.AddStringRow("Description", 0x04);
    dlg.AddNumberRow("Management Device Handle", 0x05, 2, "0x%.4X");
    dlg.AddNumberRow("Component Handle", 0x07, 2, "0x%.4X");
    dlg.AddHandleRow("Threshold Handle", 0x09, "0x%.4X", kNoHandle, "Not Provided");
}

void DecodeManagementDeviceThresholdData(CDetailDlg& dlg)
{
    // Thresholds count in the units of the component they guard, which may be below zero.
    for (const Threshold& t : kThresholds) {
        if (!dlg.Has(t.offset, 2))
            break;
        uint16_t raw = dlg.Word(t.offset);
        dlg.AddRow(t.name, raw == kNoThreshold ? "Not Available" : dlg.Format("%d", static_cast<int16_t>(raw)));
    }
}

void DecodeSystemPowerSupply(CDetailDlg& dlg)
{
    dlg.AddNumberRow("Power Unit Group", 0x04, 1, "%u");
    dlg.AddStringRow("Location", 0x05);
    dlg.AddStringRow("Device Name", 0x06);
    dlg.AddStringRow("Manufacturer", 0x07);
    dlg.AddStringRow("Serial Number", 0x08);
    dlg.AddStringRow("Asset Tag Number", 0x09);
    dlg.AddStringRow("Model Part Number", 0x0A);
    dlg.AddStringRow("Revision Level", 0x0B);
    dlg.AddNumberRow("Max Power Capacity", 0x0C, 2, "%u W", kUnknownValue, "Unknown");
    if (dlg.Has(0x0E, 2)) {
        unsigned characteristics = dlg.Word(0x0E);
        dlg.AddEnumRow("DMTF Power Supply Type", kPowerSupplyType, (characteristics >> 10) & 0x0Fu);
        dlg.AddEnumRow("Status", kPowerSupplyStatus, (characteristics >> 7) & 0x07u);
        dlg.AddEnumRow("DMTF Input Voltage Range Switching", kInputVoltageRangeSwitching,
                       (characteristics >> 3) & 0x0Fu);
        dlg.AddRow("Unplugged from the Wall", (characteristics & 0x04) ? "Yes" : "No");
        dlg.AddRow("Present", (characteristics & 0x02) ? "Yes" : "No");
        dlg.AddRow("Hot-replaceable", (characteristics & 0x01) ? "Yes" : "No");
    }
    dlg.AddHandleRow("Input Voltage Probe Handle", 0x10, "0x%.4X", kNoHandle, "None");
    dlg.AddHandleRow("Cooling Device Handle", 0x12, "0x%.4X", kNoHandle, "None");
    dlg.AddHandleRow("Input Current Probe Handle", 0x14, "0x%.4X", kNoHandle, "None");
}
