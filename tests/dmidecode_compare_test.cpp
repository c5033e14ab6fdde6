// Decodes the dumps in tests/data, and tables built here from the SMBIOS field layout,
// with dmidecode and with our decoders, and compares the values of the rows that later
// SMBIOS versions added and of the names past the original tables. Units and wording
// are normalised ("2400 MT/s" and "2400 MHz" are one value); a difference in meaning fails.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "tests/decode_helpers.h"

namespace {

// ---- dmidecode's side ----

struct DmiRecord {
    int type = -1;
    std::vector<std::pair<std::string, std::string>> fields; // in order; keys may repeat (type 10)
    std::map<std::string, std::vector<std::string>> lists;   // "Key:" followed by indented items

    const std::string* Field(const std::string& key) const
    {
        for (const auto& f : fields)
            if (f.first == key)
                return &f.second;
        return nullptr;
    }
};

std::string FindDmidecode()
{
    for (const char* path : {"/usr/sbin/dmidecode", "/sbin/dmidecode", "/usr/bin/dmidecode",
                             "/usr/local/sbin/dmidecode"})
        if (access(path, X_OK) == 0)
            return path;
    return "";
}

std::string Run(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

std::map<uint16_t, DmiRecord> ParseDmidecode(const std::string& text)
{
    std::map<uint16_t, DmiRecord> records;
    DmiRecord* current = nullptr;
    std::string listKey;
    std::stringstream ss(text);
    for (std::string line; std::getline(ss, line);) {
        unsigned handle = 0;
        int type = 0;
        if (std::sscanf(line.c_str(), "Handle 0x%X, DMI type %d,", &handle, &type) == 2) {
            current = &records[static_cast<uint16_t>(handle)];
            current->type = type;
            listKey.clear();
            continue;
        }
        if (current == nullptr || line.empty() || line[0] != '\t')
            continue;
        if (line.size() > 1 && line[1] == '\t') {
            if (!listKey.empty())
                current->lists[listKey].push_back(line.substr(2));
            continue;
        }
        size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        std::string key = line.substr(1, colon - 1);
        std::string value = colon + 2 <= line.size() ? line.substr(colon + 2) : "";
        current->fields.emplace_back(key, value);
        listKey = value.empty() ? key : "";
    }
    return records;
}

// ---- normalising ----

std::string Lower(const std::string& s)
{
    std::string out;
    for (char c : s)
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '#')
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Wording that differs between the reference's names and dmidecode's, for one meaning.
const std::map<std::string, std::string> kSameMeaning = {
    {"motherboardincludesprocessormemoryandio", "motherboard"},
    {"multisystemchassis", "multisystem"},
    {"bladeenclosure", "bladeenclosing"},
    {"notprovided", ""},
    {"notspecified", ""},
    {"unspecified", ""},
    {"nomemorydeviceinsocket", "nomoduleinstalled"},
    {"hbmhighbandwidthmemory", "hbm"},
    {"hbm2highbandwidthmemorygeneration2", "hbm2"},
    {"hbm3highbandwidthmemorygeneration3", "hbm3"},
    {"functionkeyinitiatednetworkserviceboot", "functionkeyinitiatednetworkboot"},
    {"uefispecification", "uefi"},
    {"smbiostabledescribesavirtualmachine", "systemisavirtualmachine"},
    // The reference names 0x24 LGA1155; dmidecode prints BGA1155 for it.
    {"socketlga1155", "socketbga1155"},
};

// "Is supported" and similar tails carry no meaning of their own.
std::string Text(const std::string& s)
{
    std::string t = Lower(s);
    for (const char* tail : {"issupported", "supported"}) {
        size_t n = std::string(tail).size();
        if (t.size() > n && t.compare(t.size() - n, n, tail) == 0) {
            t.erase(t.size() - n);
            break;
        }
    }
    auto same = kSameMeaning.find(t);
    return same == kSameMeaning.end() ? t : same->second;
}

// Processor family names: the reference spells out maker and kind, dmidecode does not.
std::string Family(const std::string& s)
{
    std::stringstream ss(s);
    std::string out;
    const std::set<std::string> noise = {"intel", "amd", "via", "processor", "processors", "family", "series"};
    for (std::string word; ss >> word;) {
        std::string w = Lower(word);
        if (!noise.count(w))
            out += w;
    }
    return out;
}

// A quantity in base units (kilobytes, MT/s, millivolts, nanoseconds), or "" when s is none.
std::string Quantity(const std::string& s)
{
    double number = 0;
    unsigned long long count = 0, unit = 0;
    char rest[64] = {};
    if (std::sscanf(s.c_str(), "%llu x %lluK", &count, &unit) == 2)
        return "size:" + std::to_string(count * unit);
    if (s.rfind("0x", 0) == 0)
        return "hex:" + std::to_string(std::strtoull(s.c_str() + 2, nullptr, 16));
    int fields = std::sscanf(s.c_str(), "%lf %63[^\n]", &number, rest);
    if (fields < 1)
        return "";
    static const std::map<std::string, std::pair<const char*, double>> units = {
        {"K Bytes", {"size", 1}},    {"kB", {"size", 1}},     {"KB", {"size", 1}},
        {"M Bytes", {"size", 1024}}, {"MB", {"size", 1024}},  {"GB", {"size", 1024.0 * 1024}},
        {"TB", {"size", 1024.0 * 1024 * 1024}},
        {"MT/s", {"speed", 1}},      {"MHz", {"speed", 1}},   {"V", {"mv", 1000}},
        {"ns", {"ns", 1}},           {"U", {"u", 1}},
    };
    if (fields == 1) {
        // A bare number, unless the text goes on without a blank ("1x or x1").
        char* end = nullptr;
        std::strtod(s.c_str(), &end);
        return *end == '\0' ? "n:" + std::to_string(static_cast<long long>(number * 1000 + 0.5)) : "";
    }
    auto u = units.find(rest);
    if (u == units.end())
        return "";
    return std::string(u->second.first) + ":" + std::to_string(static_cast<long long>(number * u->second.second + 0.5));
}

std::string Value(const std::string& s)
{
    std::string q = Quantity(s);
    return q.empty() ? Text(s) : q;
}

std::vector<std::string> Split(const std::string& joined)
{
    std::vector<std::string> parts;
    std::stringstream ss(joined);
    for (std::string part; std::getline(ss, part, '|');)
        parts.push_back(part);
    return parts;
}

// ---- the comparisons ----

struct Side {
    const Rows& rows;
    const DmiRecord& dmi;
    const uint8_t* s; // the structure, for codes that tell new names from the original ones
};

struct Outcome {
    bool compared = false;
    bool agree = false;
    std::string ours, theirs;
};

using Compare = std::function<Outcome(const Side&)>;

struct Rule {
    int type;
    const char* what;
    Compare compare;
};

Outcome Pair(const std::string& ours, const std::string& theirs, std::string (*norm)(const std::string&) = Value)
{
    return {true, norm(ours) == norm(theirs), ours, theirs};
}

// Our row against dmidecode's field; a field dmidecode leaves out agrees only with no value.
Compare Field(const char* ourRow, const char* theirKey, std::string (*norm)(const std::string&) = Value)
{
    return [=](const Side& x) -> Outcome {
        std::string ours = ValueOf(x.rows, ourRow);
        if (ours == kNoRow)
            return {};
        const std::string* theirs = x.dmi.Field(theirKey);
        if (theirs == nullptr)
            return {true, Value(ours).empty() || Value(ours) == "unknown", ours, "<absent>"};
        return Pair(ours, *theirs, norm);
    };
}

// As Field, for an enumerated byte at offset only when its code is one the original table lacked.
Compare NewCode(const char* ourRow, const char* theirKey, size_t offset, std::function<bool(unsigned)> isNew,
                std::string (*norm)(const std::string&) = Value)
{
    Compare plain = Field(ourRow, theirKey, norm);
    return [=](const Side& x) -> Outcome {
        if (x.s[1] <= offset || !isNew(x.s[offset]))
            return {};
        return plain(x);
    };
}

// A flag group against dmidecode's list: the same flags, or with within only flags it also
// lists (it merges groups we keep apart); entries it never prints are left out.
Compare Flags(const char* ourRow, const char* theirKey, bool within = false, std::set<std::string> unprinted = {})
{
    return [=](const Side& x) -> Outcome {
        std::string ours = ValueOf(x.rows, ourRow);
        auto list = x.dmi.lists.find(theirKey);
        if (ours == kNoRow && (within || list == x.dmi.lists.end()))
            return {};
        std::set<std::string> a, b;
        for (const std::string& f : ours == kNoRow ? std::vector<std::string>{} : Split(ours))
            if (!unprinted.count(f))
                a.insert(Text(f));
        for (const std::string& f : list == x.dmi.lists.end() ? std::vector<std::string>{} : list->second)
            if (!within || a.count(Text(f)))
                b.insert(Text(f));
        return {true, a == b, ours, std::to_string(b.size()) + " of its flags"};
    };
}

// dmidecode writes the memory type detail on one line; compare the three later bits by presence.
Outcome BufferingDetail(const Side& x)
{
    std::string ours = ValueOf(x.rows, "Type Detail");
    const std::string* theirs = x.dmi.Field("Type Detail");
    if (ours == kNoRow || theirs == nullptr)
        return {};
    bool agree = true;
    for (const char* name : {"Registered (Buffered)", "Unbuffered (Unregistered)", "LRDIMM"}) {
        bool inOurs = false;
        for (const std::string& f : Split(ours))
            inOurs = inOurs || f == name;
        agree = agree && inOurs == (theirs->find(name) != std::string::npos);
    }
    return {true, agree, ours, *theirs};
}

// dmidecode joins a slot's width and type ("x16 PCI Express 3 x16").
Outcome SlotType(const Side& x)
{
    if (x.s[1] <= 0x06 || (x.s[5] < 0x12 && x.s[6] < 0x08) || (x.s[5] >= 0xA0 && x.s[5] <= 0xA4))
        return {};
    std::string width = ValueOf(x.rows, "Slot Data Bus Width");
    size_t or_ = width.find(" or ");
    if (or_ != std::string::npos)
        width = width.substr(or_ + 4);
    else if (width == "Other" || width == "Unknown")
        width = "";
    // dmidecode leaves out "Gen" and the M.2 key letter.
    std::string type = ValueOf(x.rows, "Slot Type");
    size_t gen = type.find("Gen ");
    if (gen != std::string::npos)
        type.erase(gen, 4);
    size_t key = type.find(" (Mechanical Key");
    if (key != std::string::npos)
        type.erase(key);
    const std::string* theirs = x.dmi.Field("Type");
    return Pair(width + " " + type, theirs ? *theirs : "");
}

Outcome BusAddress(const Side& x)
{
    std::string segment = ValueOf(x.rows, "Segment Group Number");
    const std::string* theirs = x.dmi.Field("Bus Address");
    if (segment == kNoRow || theirs == nullptr)
        return {};
    std::string ours = segment + ":" + ValueOf(x.rows, "Bus Number") + ":" + ValueOf(x.rows, "Device/Function Number");
    return {true, Lower(ours) == Lower(*theirs), ours, *theirs};
}

// dmidecode gives each peer a field of its own ("Peer Device 1: 0000:02:01.0 (Width 8)").
Outcome PeerGroups(const Side& x)
{
    std::string ours = ValueOf(x.rows, "Peer Groups");
    std::vector<std::string> a, b;
    if (ours != kNoRow)
        for (const std::string& p : Split(ours))
            a.push_back(Lower(p));
    for (const auto& f : x.dmi.fields)
        if (f.first.rfind("Peer Device ", 0) == 0)
            b.push_back(Lower(f.second));
    if (a.empty() && b.empty())
        return {};
    return {true, a == b, ours, b.empty() ? "" : b.front()};
}

// Type 10 has three columns of its own; dmidecode lists one "Type" per device.
Outcome OnBoardTypes(const Side& x)
{
    bool anyNew = false;
    for (size_t i = 0; 4 + 2 * i + 1 < x.s[1]; ++i)
        anyNew = anyNew || (x.s[4 + 2 * i] & 0x7F) >= 8;
    if (!anyNew)
        return {};
    std::vector<std::string> a, b;
    for (const Row& r : x.rows)
        a.push_back(Text(r[2]));
    for (const auto& f : x.dmi.fields)
        if (f.first == "Type")
            b.push_back(Text(f.second));
    return {true, a == b, std::to_string(a.size()) + " devices", std::to_string(b.size()) + " devices"};
}

std::vector<Rule> Rules()
{
    auto from = [](unsigned first) { return [first](unsigned code) { return code >= first; }; };
    auto notIn = [](std::set<unsigned> old) { return [old](unsigned code) { return !old.count(code); }; };
    const std::set<unsigned> oldConnectors = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B,
                                              0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17,
                                              0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F, 0x20, 0x21, 0xA0, 0xA1,
                                              0xA2, 0xA3, 0xA4, 0xFF};
    return {
        {0, "ROM size", Field("BIOS ROM Size", "ROM Size")},
        {0, "characteristics byte 2", Flags("BIOS Characteristics Extension Byte 2", "Characteristics", true)},
        {0, "BIOS release", Field("System BIOS Release", "BIOS Revision")},
        {0, "EC firmware release", Field("Embedded Controller Firmware Release", "Firmware Revision")},
        {1, "wake-up type", Field("Wake-up Type", "Wake-up Type")},
        {1, "SKU number", Field("SKU Number", "SKU Number")},
        {1, "family", Field("Family", "Family")},
        {2, "asset tag", Field("Asset Tag", "Asset Tag")},
        {2, "features", Flags("Feature Flags", "Features")},
        {2, "location", Field("Location in Chassis", "Location In Chassis")},
        {2, "chassis handle", Field("Chassis Handle", "Chassis Handle")},
        {2, "board type", Field("Board Type", "Type")},
        {3, "chassis type", NewCode("Type", "Type", 0x05, [](unsigned c) { return (c & 0x3F) >= 0x19; })},
        {3, "boot-up state", Field("Boot-up State", "Boot-up State")},
        {3, "power supply state", Field("Power Supply State", "Power Supply State")},
        {3, "thermal state", Field("Thermal State", "Thermal State")},
        {3, "security status", Field("Security Status", "Security Status")},
        {3, "height", Field("Height", "Height")},
        {3, "power cords", Field("Number of Power Cords", "Number Of Power Cords")},
        {3, "SKU number", Field("SKU Number", "SKU Number")},
        {4, "family",
         NewCode("Processor Family", "Family", 0x06, [](unsigned c) { return c >= 0x14 && c != 0xFE; }, Family)},
        {4, "upgrade", NewCode("Processor Upgrade", "Upgrade", 0x19, from(0x0A))},
        {4, "L1 cache handle", Field("L1 Cache Handle", "L1 Cache Handle")},
        {4, "L2 cache handle", Field("L2 Cache Handle", "L2 Cache Handle")},
        {4, "L3 cache handle", Field("L3 Cache Handle", "L3 Cache Handle")},
        {4, "serial number", Field("Serial Number", "Serial Number")},
        {4, "asset tag", Field("Asset Tag", "Asset Tag")},
        {4, "part number", Field("Part Number", "Part Number")},
        {4, "core count", Field("Core Count", "Core Count")},
        {4, "cores enabled", Field("Core Enabled", "Core Enabled")},
        {4, "thread count", Field("Thread Count", "Thread Count")},
        {4, "characteristics", Flags("Processor Characteristics", "Characteristics", false, {"Reserved", "Unknown"})},
        {4, "family 2", Field("Processor Family 2", "Family", Family)},
        {7, "supported SRAM types", Flags("Supported SRAM Type", "Supported SRAM Types")},
        {7, "current SRAM type", Field("Current SRAM Type", "Installed SRAM Type")},
        {7, "speed", Field("Cache Speed", "Speed")},
        {7, "error correction", Field("Error Correction Type", "Error Correction Type")},
        {7, "system type", Field("System Cache Type", "System Type")},
        {7, "associativity", Field("Associativity", "Associativity")},
        {7, "maximum size 2", Field("Maximum Cache Size 2", "Maximum Size")},
        {7, "installed size 2", Field("Installed Size 2", "Installed Size")},
        {8, "internal connector",
         NewCode("Internel Connector Type", "Internal Connector Type", 0x05, notIn(oldConnectors))},
        {8, "external connector",
         NewCode("Externel Connector Type", "External Connector Type", 0x07, notIn(oldConnectors))},
        {8, "port type", NewCode("Port Type", "Port Type", 0x08, [](unsigned c) { return c >= 0x20 && c < 0xA0; })},
        {9, "type and width", SlotType},
        {9, "current usage", Field("Current Usage", "Current Usage")},
        {9, "length", NewCode("Slot Length", "Length", 0x08, from(0x05))},
        {9, "bus address", BusAddress},
        {9, "data bus width", Field("Data Bus Width", "Data Bus Width")},
        {9, "peer count", Field("Peer Grouping Count", "Peer Devices")},
        {9, "peer devices", PeerGroups},
        {10, "device types", OnBoardTypes},
        {16, "maximum capacity", Field("Maximum Capacity", "Maximum Capacity")},
        {17, "size", Field("Size of Memory Device", "Size")},
        {17, "form factor", NewCode("Form Factor", "Form Factor", 0x0E, from(0x0E))},
        {17, "memory type", NewCode("Memory Type", "Type", 0x12, from(0x11))},
        {17, "type detail bits 13-15", BufferingDetail},
        {17, "speed", Field("Speed", "Speed")},
        {17, "manufacturer", Field("Manufacturer", "Manufacturer")},
        {17, "serial number", Field("Serial Number", "Serial Number")},
        {17, "asset tag", Field("Asset Tag", "Asset Tag")},
        {17, "part number", Field("Part Number", "Part Number")},
        {17, "rank", Field("Rank", "Rank")},
        {17, "configured speed", Field("Configured Memory Speed", "Configured Memory Speed")},
        {17, "minimum voltage", Field("Minimum Voltage", "Minimum Voltage")},
        {17, "maximum voltage", Field("Maximum Voltage", "Maximum Voltage")},
        {17, "configured voltage", Field("Configured Voltage", "Configured Voltage")},
        {17, "memory technology", Field("Memory Technology", "Memory Technology")},
        {19, "extended start", Field("Extended Starting Address", "Starting Address")},
        {19, "extended end", Field("Extended Ending Address", "Ending Address")},
    };
}

struct Tally {
    int compared = 0;
    int agreeing = 0;
};

// Decodes every structure of the dump both ways and records each comparison.
void CompareDump(const std::string& dmidecode, const std::string& dump, std::map<int, Tally>& tally)
{
    std::string output = Run("'" + dmidecode + "' --from-dump '" + dump + "' 2>&1");
    std::map<uint16_t, DmiRecord> dmi = ParseDmidecode(output);
    ASSERT_FALSE(dmi.empty()) << dump << ": dmidecode decoded nothing:\n" << output;

    CTableReader reader(MakeSavedTableLocator(dump));
    ASSERT_EQ(reader.Open(), kOk) << dump;
    static const std::vector<Rule> rules = Rules();
    for (size_t i = 0; i < reader.IndexedCount(); ++i) {
        const uint8_t* s = nullptr;
        ASSERT_EQ(reader.SelectStructure(i, &s), kOk);
        auto record = dmi.find(reader.IndexEntry(i).Handle());
        if (record == dmi.end() || record->second.type != s[0])
            continue;
        MemoryList list;
        CDetailDlg dlg(list);
        dlg.m_pStruct = s;
        dlg.m_pReader = &reader;
        dlg.OnInitDialog();
        Side side{list.Rows(), record->second, s};
        for (const Rule& rule : rules) {
            if (rule.type != s[0])
                continue;
            Outcome o = rule.compare(side);
            if (!o.compared)
                continue;
            Tally& t = tally[rule.type];
            ++t.compared;
            t.agreeing += o.agree;
            EXPECT_TRUE(o.agree) << dump << ", handle 0x" << std::hex << reader.IndexEntry(i).Handle() << std::dec
                                 << ", type " << rule.type << ", " << rule.what << ": ours \"" << o.ours
                                 << "\", dmidecode \"" << o.theirs << "\"";
        }
    }
}

// ---- tables built from the field layout ----

// A formatted area of this length, with fields set at their SMBIOS offsets.
struct Area {
    Bytes body;
    explicit Area(size_t length) : body(length - 4, 0) {}
    Area& B(size_t at, uint8_t v) { body.at(at - 4) = v; return *this; }
    Area& W(size_t at, uint16_t v) { return B(at, static_cast<uint8_t>(v)).B(at + 1, static_cast<uint8_t>(v >> 8)); }
    Area& D(size_t at, uint32_t v) { return W(at, static_cast<uint16_t>(v)).W(at + 2, static_cast<uint16_t>(v >> 16)); }
    Area& Q(size_t at, uint64_t v) { return D(at, static_cast<uint32_t>(v)).D(at + 4, static_cast<uint32_t>(v >> 32)); }
};

std::vector<Bytes> BuiltStructures()
{
    std::vector<Bytes> all;
    auto add = [&](uint8_t type, uint16_t handle, const Area& a, const std::vector<std::string>& strings = {}) {
        all.push_back(Structure(type, handle, a.body, strings));
    };
    // BIOS of 3.1 with a 32 MB ROM, and one of 1 GB.
    add(0, 0x0000, Area(0x1A).B(0x04, 1).B(0x05, 2).W(0x06, 0xF000).B(0x08, 3).B(0x09, 0xFF).D(0x0A, 0x08)
                       .B(0x12, 0x03).B(0x13, 0x1D).B(0x14, 5).B(0x15, 17).B(0x16, 1).B(0x17, 42).W(0x18, 0x0020),
        {"Vendor", "1.0", "01/01/2024"});
    add(0, 0x0001, Area(0x1A).B(0x09, 0xFF).D(0x0A, 0x08).B(0x14, 0xFF).B(0x15, 0xFF).B(0x16, 0xFF).B(0x17, 0xFF)
                       .W(0x18, 0x4001));
    // System woken by PCI PME#, and by a restored power supply.
    add(1, 0x0100, Area(0x1B).B(0x18, 7).B(0x19, 1).B(0x1A, 2), {"SKU-7", "Laptops"});
    add(1, 0x0101, Area(0x1B).B(0x18, 8));
    // Base board: a removable processor/memory module in a rack.
    add(2, 0x0200, Area(0x0F).B(0x08, 1).B(0x09, 0x0D).B(0x0A, 2).W(0x0B, 0x0300).B(0x0D, 0x0B), {"AT-2", "Slot 3"});
    // Chassis of 2.7: a mini PC, two contained elements of three bytes, then the SKU.
    add(3, 0x0300, Area(0x15 + 6 + 1).B(0x05, 0x23).B(0x09, 3).B(0x0A, 4).B(0x0B, 5).B(0x0C, 4).B(0x11, 2)
                       .B(0x12, 1).B(0x13, 2).B(0x14, 3).B(0x15, 0x03).B(0x16, 1).B(0x17, 1).B(0x18, 0x04).B(0x19, 1)
                       .B(0x1A, 2).B(0x1B, 1),
        {"CHS-SKU"});
    add(3, 0x0301, Area(0x15).B(0x05, 0x9E).B(0x09, 1).B(0x0A, 2).B(0x0B, 6).B(0x0C, 5));
    // Processors of 3.0: many cores through the 16-bit counts, and a family through family 2.
    add(4, 0x0400, Area(0x30).B(0x05, 3).B(0x06, 0xC6).B(0x19, 0x33).W(0x1A, 0x0700).W(0x1C, 0x0701).W(0x1E, 0xFFFF)
                       .B(0x20, 1).B(0x21, 2).B(0x22, 3).B(0x23, 0xFF).B(0x24, 0xFF).B(0x25, 0xFF).W(0x26, 0x00FC)
                       .W(0x28, 0xC6).W(0x2A, 288).W(0x2C, 280).W(0x2E, 576),
        {"SN-CPU", "AT-CPU", "PN-CPU"});
    add(4, 0x0401, Area(0x30).B(0x05, 3).B(0x06, 0xFE).B(0x19, 0x39).B(0x23, 8).B(0x24, 6).B(0x25, 16)
                       .W(0x26, 0x0004).W(0x28, 0x101));
    add(4, 0x0402, Area(0x2A).B(0x06, 0x6B).B(0x19, 0x3F).B(0x23, 0).B(0x24, 0).B(0x25, 0).W(0x28, 0x6B));
    // Caches of 3.1: sizes 2 above 2047 MB, in both granularities.
    add(7, 0x0700, Area(0x1B).W(0x05, 0x0182).W(0x07, 0xFFFF).W(0x09, 0xFFFF).W(0x0B, 0x0060).W(0x0D, 0x0020)
                       .B(0x0F, 5).B(0x10, 5).B(0x11, 5).B(0x12, 0x0E).D(0x13, 0x80010000).D(0x17, 0x80008000));
    add(7, 0x0701, Area(0x13).W(0x05, 0x0180).W(0x0B, 0x0002).W(0x0D, 0x0002).B(0x10, 6).B(0x11, 3).B(0x12, 9));
    // Ports: SATA behind a SAS/SATA receptacle, and a USB-C receptacle.
    add(8, 0x0800, Area(0x09).B(0x05, 0x22).B(0x07, 0x00).B(0x08, 0x20));
    add(8, 0x0801, Area(0x09).B(0x05, 0x00).B(0x07, 0x23).B(0x08, 0x10));
    // Slots: PCI Express Gen 3 x16 with its address and a peer (3.2), and an M.2 slot.
    add(9, 0x0900, Area(0x13 + 5).B(0x04, 1).B(0x05, 0xB6).B(0x06, 0x0D).B(0x07, 4).B(0x08, 4).W(0x0D, 0).B(0x0F, 0x01)
                       .B(0x10, 0xE1).B(0x11, 16).B(0x12, 1).W(0x13, 0).B(0x15, 0x02).B(0x16, 0x08).B(0x17, 8),
        {"PCIE1"});
    add(9, 0x0901, Area(0x11).B(0x05, 0x17).B(0x06, 0x0A).B(0x07, 5).B(0x08, 5).W(0x0D, 1).B(0x0F, 0x3A).B(0x10, 0x00),
        {"M2_1"});
    add(9, 0x0902, Area(0x11).B(0x05, 0xA5).B(0x06, 0x08).B(0x07, 3).B(0x08, 6).W(0x0D, 0).B(0x0F, 2).B(0x10, 0x08),
        {"PCIE2"});
    // On-board devices: a SATA and an NVMe controller.
    add(10, 0x0A00, Area(0x08).B(0x04, 0x89).B(0x05, 1).B(0x06, 0x0F).B(0x07, 2), {"SATA", "NVMe"});
    // A 3 TB array through the extended capacity.
    add(16, 0x1000, Area(0x17).B(0x04, 3).B(0x05, 3).B(0x06, 6).D(0x07, 0x80000000).W(0x0B, 0xFFFE).W(0x0D, 4)
                        .Q(0x0F, 3ULL << 40));
    // Memory devices of 3.3: a 32 GB registered DDR4 module, and an LRDIMM DDR5 one at an extended speed.
    add(17, 0x1100, Area(0x5C).W(0x04, 0x1000).W(0x06, 0xFFFE).W(0x08, 72).W(0x0A, 64).W(0x0C, 0x7FFF).B(0x0E, 9)
                        .B(0x12, 0x1A).W(0x13, 0x2080).W(0x15, 2933).B(0x17, 1).B(0x18, 2).B(0x19, 3).B(0x1A, 4)
                        .B(0x1B, 0x02).D(0x1C, 32768).W(0x20, 2666).W(0x22, 1200).W(0x24, 1200).W(0x26, 1200)
                        .B(0x28, 3),
        {"Samsung", "0012AB", "AT-1", "M393A4K40CB2"});
    add(17, 0x1101, Area(0x5C).W(0x04, 0x1000).W(0x06, 0xFFFE).W(0x08, 80).W(0x0A, 64).W(0x0C, 0x7FFF).B(0x0E, 0x0F)
                        .B(0x12, 0x22).W(0x13, 0x8080).W(0x15, 0xFFFF).B(0x1B, 0x04).D(0x1C, 131072).W(0x20, 0xFFFF)
                        .W(0x22, 1100).W(0x24, 1350).W(0x26, 1250).B(0x28, 3).D(0x54, 70000).D(0x58, 64000));
    add(17, 0x1102, Area(0x28).W(0x0C, 0x4000).B(0x0E, 0x0D).B(0x12, 0x1D).W(0x13, 0x4000).W(0x15, 4266).W(0x20, 0));
    // A range above 4 TB, through the extended addresses.
    add(19, 0x1300, Area(0x1F).D(0x04, 0xFFFFFFFF).D(0x08, 0xFFFFFFFF).W(0x0C, 0x1000).B(0x0E, 1)
                        .Q(0x0F, 0x40000000000ULL).Q(0x17, 0x4FFFFFFFFFFULL));
    all.push_back(Structure(127, 0x7F00, {}));
    return all;
}

// A dump as dmidecode --dump-bin writes it: an "_SM3_" entry point, then the table at 0x20.
std::string WriteDump(const std::vector<Bytes>& structures, const std::string& path)
{
    Bytes table = Concat(structures);
    Bytes file = EntryPointSm3(0x20, static_cast<uint32_t>(table.size()), 3, 4);
    file[0x0A] = 1; // entry point revision
    uint8_t sum = 0;
    for (uint8_t b : file)
        sum = static_cast<uint8_t>(sum + b);
    file[0x05] = static_cast<uint8_t>(0x100 - sum);
    file.resize(0x20, 0);
    file.insert(file.end(), table.begin(), table.end());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                static_cast<std::streamsize>(file.size()));
    return path;
}

} // namespace

TEST(Dmidecode, LaterFieldsAndNamesAgree)
{
    std::string dmidecode = FindDmidecode();
    if (dmidecode.empty())
        GTEST_SKIP() << "dmidecode is not installed, so the comparison with it did not run "
                        "(tools/setup.sh installs it)";

    std::map<int, Tally> tally;
    for (const auto& entry : std::filesystem::directory_iterator(LUMETRA_TEST_DATA))
        if (std::filesystem::exists(entry.path() / "dump.bin"))
            CompareDump(dmidecode, (entry.path() / "dump.bin").string(), tally);
    CompareDump(dmidecode, WriteDump(BuiltStructures(), testing::TempDir() + "lumetra_built_dump.bin"), tally);

    int compared = 0, agreeing = 0;
    std::printf("dmidecode comparison (fields compared / agreeing):\n");
    for (const auto& [type, t] : tally) {
        std::printf("  type %3d: %3d / %3d\n", type, t.compared, t.agreeing);
        compared += t.compared;
        agreeing += t.agreeing;
    }
    std::printf("  total   : %3d / %3d\n", compared, agreeing);
    // Every type with later fields or names must have been compared at least once.
    for (int type : {0, 1, 2, 3, 4, 7, 8, 9, 10, 16, 17, 19})
        EXPECT_GT(tally[type].compared, 0) << "nothing of type " << type << " was compared";
}
