// Types 38, 40, 41 and 42: IPMI, additional information, onboard devices, management controller host interface.
// Layouts: SMBIOS 3.9.0; the network host interface data and the Redfish over IP record as the
// Redfish host interface defines them.
#include <string>

#include "decode/decoders.h"

// Interface type (type 38, 0x04).
static const char* const kIpmiInterfaceType[] = {
    "Unknown",
    "KCS: Keyboard Controller Style",
    "SMIC: Server Management Interface Chip",
    "BT: Block Transfer",
    "SSIF: SMBus System Interface",
};

// Register spacing (type 38, 0x10, bits 6-7).
static const char* const kRegisterSpacing[] = {
    "Successive byte boundaries",
    "32-bit boundaries",
    "16-byte boundaries",
    "Reserved",
};

// Management controller host interface type (type 42, 0x04).
static const CodeText kHostInterfaceType[] = {
    {0x02, "KCS: Keyboard Controller Style"},
    {0x03, "8250 UART Register Compatible"},
    {0x04, "16450 UART Register Compatible"},
    {0x05, "16550/16550A UART Register Compatible"},
    {0x06, "16650/16650A UART Register Compatible"},
    {0x07, "16750/16750A UART Register Compatible"},
    {0x08, "16850/16850A UART Register Compatible"},
    {0x40, "Network Host Interface"},
    {0xF0, "OEM"},
    {0xFF, "Reserved"},
};

// Network host interface device type (type 42, 0x06 when the interface type is 0x40);
// codes from 0x80 are OEM.
static const char* const kNetworkDeviceType[] = {
    nullptr,
    nullptr,
    "USB Network Interface",
    "PCI/PCIe Network Interface",
    "USB Network Interface v2",
    "PCI/PCIe Network Interface v2",
};

// Protocol type (type 42, byte 0 of each protocol record).
static const CodeText kProtocolType[] = {
    {0x02, "IPMI"},
    {0x03, "MCTP"},
    {0x04, "Redfish over IP"},
    {0xF0, "OEM"},
    {0xFF, "Reserved"},
};

// Host IP assignment type and Redfish service IP discovery type (Redfish over IP record, 16 and 50).
static const char* const kIpAssignmentType[] = {
    "Unknown",
    "Static",
    "DHCP",
    "AutoConfigure",
    "Host Selected",
};

// Host and Redfish service IP address format (Redfish over IP record, 17 and 51).
static const char* const kIpAddressFormat[] = {
    "Unknown",
    "IPv4",
    "IPv6",
};

// The two address blocks of a Redfish over IP record (type 42, protocol data 0x10 and 0x32):
// assignment, format, address, mask.
static const char* const kHostIpNames[] = {"Host IP Assignment Type", "Host IP Address Format", "Host IP Address",
                                           "Host IP Mask"};
static const char* const kServiceIpNames[] = {"Redfish Service IP Discovery Type", "Redfish Service IP Address Format",
                                              "Redfish Service IP Address", "Redfish Service IP Mask"};

constexpr uint8_t kNvStorageNotPresent = 0xFF; // type 38, 0x07
constexpr uint8_t kNetworkHostInterface = 0x40;
constexpr uint8_t kRedfishOverIp = 0x04;
constexpr uint8_t kFirstOemDeviceType = 0x80;

void DecodeIpmiDeviceInformation(CDetailDlg& dlg)
{
    dlg.AddEnumField("Interface Type", kIpmiInterfaceType, 0x04);
    if (dlg.Has(0x05, 1))
        dlg.AddRow("IPMI Specification Revision", dlg.Format("%u.%u", dlg.Byte(0x05) >> 4, dlg.Byte(0x05) & 0xFu));
    dlg.AddNumberRow("I2C Target Address", 0x06, 1, "0x%.2X");
    dlg.AddNumberRow("NV Storage Device Address", 0x07, 1, "%u", kNvStorageNotPresent, "Not Present");
    if (dlg.Has(0x08, 8)) {
        // Bit 0 tells the address space; the address's own bit 0 is bit 4 at 0x10.
        unsigned long long address = dlg.Qword(0x08);
        unsigned long long lowBit = (dlg.Byte(0x10) >> 4) & 1u;
        dlg.AddRow("Base Address", dlg.Format("0x%.16llX (%s)", (address & ~1ull) | lowBit,
                                              (address & 1) ? "I/O" : "Memory-mapped"));
    }
    if (dlg.Has(0x10, 1)) {
        uint8_t info = dlg.Byte(0x10);
        dlg.AddEnumRow("Register Spacing", kRegisterSpacing, info >> 6);
        // Polarity and trigger mode mean something only when bit 3 says they are given.
        if (info & 0x08) {
            dlg.AddRow("Interrupt Polarity", (info & 0x02) ? "Active high" : "Active low");
            dlg.AddRow("Interrupt Trigger Mode", (info & 0x01) ? "Level" : "Edge");
        }
    }
    dlg.AddNumberRow("Interrupt Number", 0x11, 1, "%u", 0, "Unspecified");
}

// Entries of at least five bytes each, their sizes given by themselves: an entry too
// short or running past the structure ends the list.
void DecodeAdditionalInformation(CDetailDlg& dlg)
{
    if (!dlg.Has(0x04, 1))
        return;
    unsigned count = dlg.Byte(0x04);
    dlg.AddRow("Number of Additional Information entries", dlg.Format("%u", count));
    size_t at = 0x05;
    for (unsigned n = 0; n < count && dlg.Has(at, 1); ++n) {
        size_t length = dlg.Byte(at);
        if (length < 5 || !dlg.Has(at, length))
            break;
        dlg.AddRow("Entry Length", dlg.Format("%u", static_cast<unsigned>(length)));
        dlg.AddNumberRow("Referenced Handle", at + 1, 2, "0x%.4X");
        dlg.AddNumberRow("Referenced Offset", at + 3, 1, "0x%.2X");
        dlg.AddStringRow("String", at + 4);
        // The value has the size of the field it stands for: a number when it could be one.
        size_t size = length - 5;
        if (size == 1 || size == 2 || size == 4 || size == 8) {
            unsigned long long value = 0;
            for (size_t i = size; i-- > 0;)
                value = (value << 8) | dlg.Byte(at + 5 + i);
            dlg.AddRow("Value", dlg.Format("0x%.*llX", static_cast<int>(2 * size), value));
        } else if (size > 0) {
            dlg.AddHexRows("Value", at + 5, at + 5 + size);
        }
        at += length;
    }
}

void DecodeOnboardDevicesExtended(CDetailDlg& dlg)
{
    dlg.AddStringRow("Reference Designation", 0x04);
    if (dlg.Has(0x05, 1)) {
        dlg.AddEnumRow("Device Type", kOnBoardDeviceType, dlg.Byte(0x05) & 0x7Fu);
        dlg.AddRow("Device Status", (dlg.Byte(0x05) & 0x80) ? "Enabled" : "Disabled");
    }
    dlg.AddNumberRow("Device Type Instance", 0x06, 1, "%u");
    // Segment group, bus, device (bits 3-7) and function (bits 0-2), as lspci -D writes them.
    if (dlg.Has(0x07, 4)) {
        uint8_t devfn = dlg.Byte(0x0A);
        dlg.AddRow("Bus Address", dlg.Format("%04x:%02x:%02x.%x", dlg.Word(0x07), dlg.Byte(0x09), devfn >> 3,
                                             devfn & 7u));
    }
}

static void AddGuidRow(CDetailDlg& dlg, const char* description, size_t at)
{
    // The first three fields little-endian, as a system UUID is stored.
    dlg.AddRow(description,
               dlg.Format("%.8X-%.4X-%.4X-%.2X%.2X-%.2X%.2X%.2X%.2X%.2X%.2X", dlg.Dword(at), dlg.Word(at + 4),
                          dlg.Word(at + 6), dlg.Byte(at + 8), dlg.Byte(at + 9), dlg.Byte(at + 10),
                          dlg.Byte(at + 11), dlg.Byte(at + 12), dlg.Byte(at + 13), dlg.Byte(at + 14),
                          dlg.Byte(at + 15)));
}

// Sixteen bytes holding an IPv4 address in the first four, or an IPv6 address.
static void AddIpAddressRow(CDetailDlg& dlg, const char* description, size_t at, uint8_t format)
{
    if (format == 1) {
        dlg.AddRow(description, dlg.Format("%u.%u.%u.%u", dlg.Byte(at), dlg.Byte(at + 1), dlg.Byte(at + 2),
                                           dlg.Byte(at + 3)));
        return;
    }
    if (format != 2) {
        dlg.AddHexRows(description, at, at + 16);
        return;
    }
    // Eight groups, the longest run of two or more zero groups written "::".
    unsigned groups[8];
    for (int i = 0; i < 8; ++i)
        groups[i] = (dlg.Byte(at + 2 * i) << 8) | dlg.Byte(at + 2 * i + 1);
    int runStart = -1, runLength = 1;
    for (int i = 0; i < 8; ++i) {
        int length = 0;
        while (i + length < 8 && groups[i + length] == 0)
            ++length;
        if (length > runLength) {
            runStart = i;
            runLength = length;
        }
    }
    std::string text;
    for (int i = 0; i < 8; ++i) {
        if (i == runStart) {
            text += "::";
            i += runLength - 1;
            continue;
        }
        if (!text.empty() && text.back() != ':')
            text += ':';
        text += dlg.Format("%x", groups[i]);
    }
    dlg.AddRow(description, text.c_str());
}

// The hostname's bytes as text; bytes that are not printable ASCII show as '.'.
static std::string Hostname(const CDetailDlg& dlg, size_t at, size_t length)
{
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        uint8_t c = dlg.Byte(at + i);
        text += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '.';
    }
    return text;
}

// An address block of the Redfish over IP record at `offset`: how the address is assigned,
// its format, the address and its mask. False when the record ends before the block does.
static bool AddIpBlockRows(CDetailDlg& dlg, size_t at, size_t offset, size_t length, const char* const (&names)[4])
{
    if (offset + 2 > length)
        return false;
    dlg.AddEnumRow(names[0], kIpAssignmentType, dlg.Byte(at + offset));
    uint8_t format = dlg.Byte(at + offset + 1);
    dlg.AddEnumRow(names[1], kIpAddressFormat, format);
    if (offset + 2 + 32 > length)
        return false;
    AddIpAddressRow(dlg, names[2], at + offset + 2, format);
    AddIpAddressRow(dlg, names[3], at + offset + 18, format);
    return true;
}

// The Redfish over IP record's data, `length` bytes from `at`; a field past them ends the rows.
static void AddRedfishOverIpRows(CDetailDlg& dlg, size_t at, size_t length)
{
    auto fits = [&](size_t offset, size_t width) { return offset + width <= length; };
    if (!fits(0, 16))
        return;
    AddGuidRow(dlg, "Service UUID", at);
    if (!AddIpBlockRows(dlg, at, 16, length, kHostIpNames) || !AddIpBlockRows(dlg, at, 50, length, kServiceIpNames))
        return;
    if (!fits(84, 7))
        return;
    dlg.AddRow("Redfish Service IP Port", dlg.Format("%u", dlg.Word(at + 84)));
    dlg.AddRow("Redfish Service VLAN ID", dlg.Format("%u", dlg.Dword(at + 86)));
    size_t hostnameLength = dlg.Byte(at + 90);
    dlg.AddRow("Redfish Service Hostname Length", dlg.Format("%u", static_cast<unsigned>(hostnameLength)));
    if (fits(91, hostnameLength))
        dlg.AddRow("Redfish Service Hostname", Hostname(dlg, at + 91, hostnameLength).c_str());
}

// A USB serial number as a USB string descriptor: its length, its type, then UTF-16 code units,
// shown as ASCII ('?' for others).
static void AddUsbSerialNumberRow(CDetailDlg& dlg, size_t at, size_t room)
{
    size_t length = dlg.Byte(at);
    if (length < 2 || length > room)
        return;
    std::string text;
    for (size_t i = 2; i + 1 < length; i += 2) {
        unsigned unit = dlg.Word(at + i);
        text += unit >= 0x20 && unit < 0x7F ? static_cast<char>(unit) : '?';
    }
    dlg.AddRow("Serial Number", text.c_str());
}

static void AddMacAddressRow(CDetailDlg& dlg, size_t at)
{
    dlg.AddRow("MAC Address", dlg.Format("%.2X:%.2X:%.2X:%.2X:%.2X:%.2X", dlg.Byte(at), dlg.Byte(at + 1),
                                         dlg.Byte(at + 2), dlg.Byte(at + 3), dlg.Byte(at + 4), dlg.Byte(at + 5)));
}

// The network host interface data: a device type, then its descriptor; `length` bytes from `at`.
static void AddNetworkInterfaceRows(CDetailDlg& dlg, size_t at, size_t length)
{
    if (length < 1)
        return;
    uint8_t type = dlg.Byte(at);
    dlg.AddRow("Device Type", type >= kFirstOemDeviceType ? "OEM" : dlg.EnumText(kNetworkDeviceType, type));
    size_t d = at + 1;      // the descriptor
    size_t room = length - 1;
    if (type == 0x02 && room >= 4) {
        dlg.AddNumberRow("Vendor ID", d, 2, "0x%.4X");
        dlg.AddNumberRow("Product ID", d + 2, 2, "0x%.4X");
        AddUsbSerialNumberRow(dlg, d + 4, room - 4);
    } else if (type == 0x03 && room >= 8) {
        dlg.AddNumberRow("Vendor ID", d, 2, "0x%.4X");
        dlg.AddNumberRow("Device ID", d + 2, 2, "0x%.4X");
        dlg.AddNumberRow("Subsystem Vendor ID", d + 4, 2, "0x%.4X");
        dlg.AddNumberRow("Subsystem ID", d + 6, 2, "0x%.4X");
    } else if (type == 0x04 && room >= 12) {
        // The v2 descriptors begin with a length of their own, which counts the device type too.
        dlg.AddNumberRow("Vendor ID", d + 1, 2, "0x%.4X");
        dlg.AddNumberRow("Product ID", d + 3, 2, "0x%.4X");
        dlg.AddStringRow("Serial Number", d + 5);
        AddMacAddressRow(dlg, d + 6);
    } else if (type == 0x05 && room >= 19) {
        dlg.AddNumberRow("Vendor ID", d + 1, 2, "0x%.4X");
        dlg.AddNumberRow("Device ID", d + 3, 2, "0x%.4X");
        dlg.AddNumberRow("Subsystem Vendor ID", d + 5, 2, "0x%.4X");
        dlg.AddNumberRow("Subsystem ID", d + 7, 2, "0x%.4X");
        AddMacAddressRow(dlg, d + 9);
        uint8_t devfn = dlg.Byte(d + 18);
        dlg.AddRow("Bus Address", dlg.Format("%04x:%02x:%02x.%x", dlg.Word(d + 15), dlg.Byte(d + 17), devfn >> 3,
                                             devfn & 7u));
    } else if (type >= kFirstOemDeviceType && room >= 4) {
        // The enterprise number is stored most significant byte first.
        dlg.AddRow("Vendor IANA", dlg.Format("%u", (static_cast<unsigned>(dlg.Byte(d)) << 24) |
                                                       (dlg.Byte(d + 1) << 16) | (dlg.Byte(d + 2) << 8) |
                                                       dlg.Byte(d + 3)));
    }
}

// Every length here comes from the structure: data or a record that does not fit ends the rows.
void DecodeManagementControllerHostInterface(CDetailDlg& dlg)
{
    dlg.AddPairField("Interface Type", kHostInterfaceType, 0x04);
    if (!dlg.Has(0x05, 1))
        return;
    size_t dataLength = dlg.Byte(0x05);
    dlg.AddRow("Interface Type Specific Data Length", dlg.Format("%u", static_cast<unsigned>(dataLength)));
    if (!dlg.Has(0x06, dataLength))
        return;
    if (dlg.Byte(0x04) == kNetworkHostInterface)
        AddNetworkInterfaceRows(dlg, 0x06, dataLength);
    else if (dataLength > 0)
        dlg.AddHexRows("Interface Type Specific Data", 0x06, 0x06 + dataLength);

    size_t at = 0x06 + dataLength;
    if (!dlg.Has(at, 1))
        return;
    unsigned records = dlg.Byte(at++);
    dlg.AddRow("Number of Protocol Records", dlg.Format("%u", records));
    for (unsigned n = 0; n < records && dlg.Has(at, 2); ++n) {
        uint8_t type = dlg.Byte(at);
        size_t length = dlg.Byte(at + 1);
        if (!dlg.Has(at + 2, length))
            break;
        dlg.AddRow("Protocol Type", CDetailDlg::FindPairText(kProtocolType, type));
        dlg.AddRow("Protocol Type Specific Data Length", dlg.Format("%u", static_cast<unsigned>(length)));
        if (type == kRedfishOverIp)
            AddRedfishOverIpRows(dlg, at + 2, length);
        else if (length > 0)
            dlg.AddHexRows("Protocol Type Specific Data", at + 2, at + 2 + length);
        at += 2 + length;
    }
}
