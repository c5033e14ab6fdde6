#include <gtest/gtest.h>

#include "tests/decode_helpers.h"

namespace {

// Fields by SMBIOS offset; length cuts the formatted area short.
Bytes Cache(uint16_t config, uint16_t maximum, uint16_t installed, size_t length = 0x13)
{
    Bytes b = Body(0x13);
    b[0] = 1;
    PutU16(b, 0x05 - 4, config);
    PutU16(b, 0x07 - 4, maximum);
    PutU16(b, 0x09 - 4, installed);
    b.resize(length - 4);
    return Structure(7, 0x0700, b, {"L2 Cache"});
}

Bytes Slot(uint8_t slotType, uint8_t width, uint8_t usage, uint8_t slotLength, uint16_t id, size_t length = 0x0D)
{
    Bytes b = {1, slotType, width, usage, slotLength, 0, 0, 0, 0};
    PutU16(b, 0x09 - 4, id);
    b.resize(length - 4);
    return Structure(9, 0x0900, b, {"PCI1"});
}

} // namespace

TEST(CacheInformation, ConfigurationAndSizes)
{
    Decoded d = Decode(Cache(0x0180, 0x0200, 0x8008));
    EXPECT_EQ(d.caption, "Cache Information (Type 7)");
    Rows want = {{"Socket Designation", "L2 Cache"},
                 {"Cache Operational Mode", "Write Back"},
                 {"Cache Enabled (at boot time)", "Enabled"},
                 {"Cache Location (relative to CPU module)", "Internal"},
                 {"Cache Socketed", "Not Socketed"},
                 {"Cache Level (1 through 8)", "Level-1"},
                 {"Maximum Cache Size", "512 x 1K"},
                 {"Installed Size", "8 x 64K"}};
    EXPECT_EQ(d.rows(), want);

    // Mode, enabled, location, socketed, level, then both sizes; bits 4 and 10-15 show nowhere.
    const std::pair<uint16_t, Row> configs[] = {
        {0xFF7A, {"Unknown", "Disabled", "Unknown", "Socketed", "Level-3", "0 x 1K", "0 x 1K"}},
        {0x0227, {"Varies with Memory Address", "Disabled", "External", "Not Socketed", "Level-8", "0 x 1K", "0 x 1K"}},
    };
    for (const auto& [config, values] : configs) {
        Rows rows = Decode(Cache(config, 0, 0)).rows();
        ASSERT_EQ(rows.size(), 8u);
        for (size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(rows[i + 1][1], values[i]) << std::hex << config << " row " << i + 1;
    }
    EXPECT_EQ(Decode(Cache(0, 0xFFFF, 0x8000)).rows()[6][1], "32767 x 64K");

    // Fields past the length have no row.
    EXPECT_EQ(Decode(Cache(0x0180, 1, 2, 0x0A)).rows().size(), 7u);
    EXPECT_EQ(Decode(Cache(0x0180, 1, 2, 0x06)).rows(), (Rows{{"Socket Designation", "L2 Cache"}}));
}

TEST(PortConnector, DesignatorsAndTypesPairUp)
{
    Decoded d = Decode(Structure(8, 0x0800, {1, 0x00, 2, 0x08, 0x0E}, {"J1A1", "COM A"}));
    EXPECT_EQ(d.caption, "Port Connector Information (Type 8)");
    Rows want = {{"Internel referance Designator", "J1A1"}, {"Internel Connector Type", "None"},
                 {"Externel Reference", "COM A"},            {"Externel Connector Type", "DB-9 pin male"},
                 {"Port Type", "Mouse Port"}};
    EXPECT_EQ(d.rows(), want);

    for (uint8_t code : {0x22, 0xFF}) {
        Rows rows = Decode(Structure(8, 1, {0, code, 0, 0xA4, static_cast<uint8_t>(code - 2)})).rows();
        EXPECT_EQ(rows[1][1], "Other-Use Ref. Designator.") << +code;
        EXPECT_EQ(rows[3][1], "PC-98Full");
        EXPECT_EQ(rows[4][1], "Other") << +code;
    }
}

TEST(SystemSlots, RowsAndCodesBeyondTheTables)
{
    Decoded d = Decode(Slot(0x0F, 5, 3, 3, 0x00AB));
    EXPECT_EQ(d.caption, "System Slots (Type 9)");
    Rows want = {{"Slot Designation", "PCI1"},     {"Slot Type", "AGP"},
                 {"Slot Data Bus Width", "32 bit"}, {"Current Usage", "Available"},
                 {"Slot Length", "Short Lengrh"},   {"Slot ID", "00AB"}};
    EXPECT_EQ(d.rows(), want);

    struct Case {
        uint8_t code;
        Rows want;
    };
    const Case cases[] = {
        {0x00, {{"Slot Type", ""}, {"Slot Data Bus Width", ""}, {"Current Usage", "0x00"}, {"Slot Length", "0x00"}}},
        {0x04, {{"Slot Type", "MCA"}, {"Slot Data Bus Width", "16 bit"}, {"Current Usage", "In use"},
                {"Slot Length", "Long Length"}}},
        {0x08, {{"Slot Type", "VL-VESA"}, {"Slot Data Bus Width", "0x08"}, {"Current Usage", "0x08"},
                {"Slot Length", "0x08"}}},
    };
    for (const Case& c : cases) {
        Rows rows = Decode(Slot(c.code, c.code, c.code, c.code, 1)).rows();
        EXPECT_EQ(Rows(rows.begin() + 1, rows.begin() + 5), c.want) << +c.code;
    }
    // The slot ID needs both of its bytes.
    EXPECT_EQ(Decode(Slot(6, 5, 3, 3, 1, 0x0A)).rows().size(), 5u);
}
