#include "bench/table_gen.h"

#include <string>

#include "reader/table_reader.h"
#include "shell/dump_bin.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Template {
    uint8_t type;
    Bytes body; // the formatted bytes after the 4-byte header
    std::vector<const char*> strings;
};

// Shaped like a laptop's table: string numbers point at the template's own strings,
// repeated types (caches, ports, slots, memory) come as often as firmware writes them.
const std::vector<Template>& RealTemplates()
{
    static const std::vector<Template> templates = {
        {0, {1, 2, 0x00, 0xE8, 3, 0x1F, 0x80, 0x98, 0x8B, 0x3F, 0x01, 0x00, 0x00, 0x00, 0x33, 0x0F, 0x01, 0x25, 0x01, 0x19},
         {"LENOVO", "N1CET90W (1.58 )", "06/16/2022"}},
        {1, {1, 2, 3, 4, 0x9B, 0x45, 0x1C, 0x4C, 0x2A, 0x21, 0x11, 0xB2, 0x85, 0x00, 0xF2, 0x8A, 0x5C, 0x3B, 0x01, 0x02, 0x06, 5, 6},
         {"LENOVO", "20HRCTO1WW", "ThinkPad X1 Carbon 5th", "PF0XXXXX", "LENOVO_MT_20HR_BU_Think_FM_ThinkPad X1 Carbon 5th", "ThinkPad X1 Carbon 5th"}},
        {2, {1, 2, 3, 4, 5, 0x09, 6, 0x03, 0x00, 0x0A, 0x00},
         {"LENOVO", "20HRCTO1WW", "SDK0J40697 WIN", "L1HF79H0XXX", "Not Available", "Not Available"}},
        {3, {1, 0x0A, 2, 3, 4, 0x03, 0x03, 0x03, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 5},
         {"LENOVO", "None", "PF0XXXXX", "No Asset Information", "Not Available"}},
        {4, {1, 0x03, 0xC6, 2, 0xE9, 0x06, 0x08, 0x00, 0xFF, 0xFB, 0xEB, 0xBF, 3, 0x8F, 0x64, 0x00, 0x70, 0x0D, 0x6C, 0x0B,
             0x41, 0x08, 0x02, 0x00, 0x03, 0x00, 0x04, 0x00, 4, 5, 6, 0x02, 0x02, 0x04, 0xEC, 0x00, 0xC6, 0x00, 0x02, 0x00, 0x04, 0x00},
         {"U3E1", "Intel(R) Corporation", "Intel(R) Core(TM) i7-7600U CPU @ 2.80GHz", "None", "None", "None"}},
        {7, {1, 0x80, 0x01, 0x80, 0x00, 0x80, 0x00, 0x20, 0x00, 0x20, 0x00, 0x00, 0x04, 0x04, 0x07, 0x80, 0x00, 0x00, 0x00},
         {"L1 Cache"}},
        {7, {1, 0x81, 0x01, 0x00, 0x02, 0x00, 0x02, 0x20, 0x00, 0x20, 0x00, 0x00, 0x05, 0x05, 0x05, 0x00, 0x02, 0x00, 0x00},
         {"L2 Cache"}},
        {7, {1, 0x82, 0x01, 0x00, 0x10, 0x00, 0x10, 0x20, 0x00, 0x20, 0x00, 0x00, 0x06, 0x05, 0x09, 0x00, 0x10, 0x00, 0x00},
         {"L3 Cache"}},
        {8, {0, 0x00, 1, 0x12, 0x10}, {"USB 1"}},
        {8, {0, 0x00, 1, 0x12, 0x10}, {"USB 2"}},
        {8, {0, 0x00, 1, 0x0B, 0x1F}, {"Ethernet"}},
        {8, {0, 0x00, 1, 0x1F, 0x1C}, {"Hdmi"}},
        {9, {1, 0xA6, 0x08, 0x03, 0x03, 0x00, 0x00, 0x04, 0x01, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00}, {"Media Card Slot"}},
        {9, {1, 0xAA, 0x0D, 0x04, 0x04, 0x00, 0x00, 0x0C, 0x01, 0x00, 0x00, 0x00, 0x1C, 0x00, 0x00}, {"M.2 Slot"}},
        {10, {0x83, 1}, {"IGD"}},
        {11, {3}, {"OEM string one", "OEM string two", "The third OEM string"}},
        {12, {1}, {"SW1: boot from network"}},
        {13, {2, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 1},
         {"en-US", "fr-FR"}},
        {16, {0x03, 0x03, 0x03, 0x00, 0x00, 0x00, 0x01, 0xFE, 0xFF, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
         {}},
        {17, {0x00, 0x00, 0xFE, 0xFF, 0x40, 0x00, 0x40, 0x00, 0x00, 0x20, 0x0B, 0x00, 1, 2, 0x1A, 0x80, 0x00, 0x55, 0x08, 3, 4, 5, 6,
              0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
         {"ChannelA-DIMM0", "BANK 0", "Samsung", "00000000", "None", "K4EBE304EB-EGCF"}},
        {19, {0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
              0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
         {}},
        {20, {0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x7F, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0xFF, 0x00}, {}},
        {21, {0x07, 0x04, 0x03}, {}},
        {22, {1, 2, 3, 4, 5, 0x05, 0xB4, 0x05, 0xD2, 0x2B, 6, 0xFF, 0x00, 0x00, 0x00, 0x00}, {"Front", "LGC", "", "", "00HW003", "LION"}},
        {32, {0, 0, 0, 0, 0, 0, 0}, {}},
        {41, {1, 0x83, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00}, {"Onboard IGD"}},
        {131, {0x31, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x00, 0x58, 0x9D,
               0x00, 0x00, 0x00, 0x00, 0x01, 0x20, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
         {"TVT-Enablement"}},
        {221, {2, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
         {"Reference Code - CPU", "uCode Version"}},
    };
    return templates;
}

void AppendStructure(Bytes& table, uint8_t type, uint16_t handle, const Bytes& body,
                     const std::vector<const char*>& strings)
{
    table.push_back(type);
    table.push_back(static_cast<uint8_t>(4 + body.size()));
    table.push_back(static_cast<uint8_t>(handle));
    table.push_back(static_cast<uint8_t>(handle >> 8));
    table.insert(table.end(), body.begin(), body.end());
    for (const char* s : strings) {
        std::string text = *s ? s : " "; // an empty string would end the set
        table.insert(table.end(), text.begin(), text.end());
        table.push_back(0);
    }
    if (strings.empty())
        table.push_back(0);
    table.push_back(0);
}

size_t StructureSize(const Template& t)
{
    size_t size = 4 + t.body.size() + 1;
    for (const char* s : t.strings)
        size += std::string(*s ? s : " ").size() + 1;
    return size + (t.strings.empty() ? 1 : 0);
}

void Put(Bytes& b, size_t at, uint64_t value, int width)
{
    for (int i = 0; i < width; ++i)
        b[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

} // namespace

std::vector<uint8_t> MakeTableDump(TableMix mix, size_t count, size_t maxBytes)
{
    const Template small{0, Bytes(6, 0x11), {}};
    const Bytes endBody;
    constexpr size_t kEndSize = 6;
    if (count > 0xFFFF)
        count = 0xFFFF;

    Bytes table;
    size_t made = 0;
    for (size_t i = 0; made + 1 < count; ++i) {
        const Template& t = mix == TableMix::Real ? RealTemplates()[i % RealTemplates().size()] : small;
        if (table.size() + StructureSize(t) + kEndSize > maxBytes)
            break;
        uint8_t type = mix == TableMix::Real ? t.type : static_cast<uint8_t>(i % 41);
        AppendStructure(table, type, static_cast<uint16_t>(made), t.body, t.strings);
        ++made;
    }
    if (count > 0) {
        AppendStructure(table, 127, static_cast<uint16_t>(made), endBody, {});
        ++made;
    }

    Bytes dump(0x20, 0);
    if (table.size() <= 0xFFFF) {
        const char anchor[] = "_SM_";
        for (int i = 0; i < 4; ++i)
            dump[i] = static_cast<uint8_t>(anchor[i]);
        dump[0x05] = 0x1F;
        dump[0x06] = 2;
        dump[0x07] = 8;
        Put(dump, 0x08, 0x100, 2);
        const char dmi[] = "_DMI_";
        for (int i = 0; i < 5; ++i)
            dump[0x10 + i] = static_cast<uint8_t>(dmi[i]);
        Put(dump, 0x16, table.size(), 2);
        Put(dump, 0x18, 0x20, 4);
        Put(dump, 0x1C, made, 2);
        dump[0x1E] = 0x28;
    } else {
        const char anchor[] = "_SM3_";
        for (int i = 0; i < 5; ++i)
            dump[i] = static_cast<uint8_t>(anchor[i]);
        dump[0x06] = 0x18;
        dump[0x07] = 3;
        dump[0x08] = 0;
        dump[0x0A] = 1;
        Put(dump, 0x0C, table.size(), 4);
        Put(dump, 0x10, 0x20, 8);
    }
    dump.insert(dump.end(), table.begin(), table.end());
    // Saved as --dump-bin saves a table: the same layout, and the checksums made right.
    CTableReader reader(std::make_unique<DumpFileLocator>("generated", dump));
    return reader.Open() == kOk ? DumpBinImage(reader) : dump;
}

size_t DumpStructureCount(const std::vector<uint8_t>& dump)
{
    size_t count = 0;
    for (size_t at = 0x20; at + 4 <= dump.size(); ++count) {
        at += dump[at + 1];
        while (at + 1 < dump.size() && (dump[at] != 0 || dump[at + 1] != 0))
            ++at;
        at += 2;
    }
    return count;
}
