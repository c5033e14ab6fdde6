#include <gtest/gtest.h>

#include "tests/decode_helpers.h"

namespace {

// Body offsets are SMBIOS offsets less the 4 header bytes.
constexpr size_t At(size_t smbiosOffset)
{
    return smbiosOffset - 4;
}

// A 2.4-era type 0 (length 0x14) with its three strings in place.
Bytes BiosBody()
{
    Bytes b = Body(0x14);
    b[At(0x04)] = 1;
    b[At(0x05)] = 2;
    b[At(0x08)] = 3;
    return b;
}

// The rows that follow the five fixed rows of type 0.
Rows FlagRows(const Rows& rows)
{
    return rows.size() > 5 ? Rows(rows.begin() + 5, rows.end()) : Rows{};
}

} // namespace

TEST(BiosInformation, FixedRows)
{
    Bytes b = BiosBody();
    PutU16(b, At(0x06), 0xF000);
    b[At(0x09)] = 0x0F;
    Decoded d = Decode(Structure(0, 0, b, {"Vendor", "1.0", "01/02/1999"}));
    EXPECT_EQ(d.caption, "BIOS Information (Type 0)");
    Rows want = {{"Vendor name", "Vendor"},        {"BIOS Version", "1.0"},
                 {"BIOS Start Address", "0xF000"}, {"BIOS Release Date", "01/02/1999"},
                 {"BIOS ROM Size", "1024 K Bytes"}};
    EXPECT_EQ(d.rows(), want);
}

TEST(BiosInformation, StartSegmentAndRomSize)
{
    struct Case {
        uint16_t segment;
        uint8_t rom;
        const char* address;
        const char* size;
    };
    for (const Case& c : {Case{0x00A0, 0x00, "0xA0", "64 K Bytes"}, Case{0xE800, 0xFF, "0xE800", "16384 K Bytes"},
                          Case{0x0000, 0x01, "0x0", "128 K Bytes"}}) {
        Bytes b = BiosBody();
        PutU16(b, At(0x06), c.segment);
        b[At(0x09)] = c.rom;
        Rows rows = Decode(Structure(0, 0, b, {"v"})).rows();
        ASSERT_EQ(rows.size(), 5u);
        EXPECT_EQ(rows[2], (Row{"BIOS Start Address", c.address}));
        EXPECT_EQ(rows[4], (Row{"BIOS ROM Size", c.size}));
    }
}

TEST(BiosInformation, CharacteristicGroups)
{
    struct Case {
        uint32_t low;
        uint32_t high; // offsets 0x0E to 0x11: never shown
        uint8_t extension;
        uint8_t extension2; // offset 0x13: never shown
        Rows want;
    };
    const Case cases[] = {
        {0x00000008, 0, 0, 0, {{"BIOS Characteristics", "BIOS Characteristics Not Supported"}}},
        {(1u << 4) | (1u << 7) | (1u << 9), 0, 0, 0,
         {{"BIOS Characteristics", "ISA is supported"}, {"", "PCI is supported"}, {"", "Plug and Play is supported"}}},
        {0, 0xFFFFFFFF, 0, 0xFF, {}},
        {0, 0, 0x83, 0,
         {{"BIOS Characteristics Extension", "ACPI supported"},
          {"", "USB Legacy is supported"},
          {"", "Smart Battery supported"}}},
        {(1u << 21) | (1u << 22) | (1u << 31), 0, 0x40, 0,
         {{"BIOS Characteristics", "Int 13h - Japanese Floopy for Toshiba 1.2mb(3.5 360 RPM) is supported"},
          {"", "Int 13h - 5.25 / 360 KB Floppy  Services are supported"},
          {"", "NEC PC-98"},
          {"BIOS Characteristics Extension", "1394 boot is supported"}}},
    };
    for (const Case& c : cases) {
        Bytes b = BiosBody();
        PutU32(b, At(0x0A), c.low);
        PutU32(b, At(0x0E), c.high);
        b[At(0x12)] = c.extension;
        b[At(0x13)] = c.extension2;
        EXPECT_EQ(FlagRows(Decode(Structure(0, 0, b)).rows()), c.want) << std::hex << c.low << " " << +c.extension;
    }
}

TEST(BiosInformation, ShortStructureLeavesOutFlagGroupsBeyondIt)
{
    // Length 0x12 (SMBIOS 2.0) has no extension byte: the string set's first byte
    // sits at 0x12 and must not be read as one.
    Bytes b = Body(0x12);
    PutU32(b, At(0x0A), 1u << 3);
    Rows rows = Decode(Structure(0, 0, b, {"\x01\x02"})).rows();
    EXPECT_EQ(rows.back(), (Row{"BIOS Characteristics", "BIOS Characteristics Not Supported"}));

    // A double word cut by the length is absent as a whole.
    Bytes cut = Body(0x0D);
    cut[At(0x0A)] = 0xFF;
    rows = Decode(Structure(0, 0, cut)).rows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows.back()[0], "BIOS ROM Size");
}

TEST(SystemInformation, UuidInStoredOrderAndWakeUp)
{
    Bytes b = Body(0x19);
    for (int i = 0; i < 4; ++i)
        b[At(0x04) + i] = static_cast<uint8_t>(i + 1);
    for (int i = 0; i < 16; ++i)
        b[At(0x08) + i] = static_cast<uint8_t>(i);
    b[At(0x18)] = 6;
    Decoded d = Decode(Structure(1, 0x100, b, {"Maker", "Box", "v2", "SN1"}));
    Rows want = {{"Manufacturer", "Maker"},
                 {"Product Name", "Box"},
                 {"Version", "v2"},
                 {"Serial Number", "SN1"},
                 {"UUID", "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F "},
                 {"Wake-up Type", "Power Switch"}};
    EXPECT_EQ(d.rows(), want);
    EXPECT_EQ(d.rows()[4][1].size(), 48u);
}

TEST(SystemInformation, WakeUpCodes)
{
    for (auto [code, text] : {std::pair{0, "Reserved"}, {7, "AC Power Restored"}, {8, "0x08"}, {0xFF, "0xFF"}}) {
        Bytes b = Body(0x19);
        b[At(0x18)] = static_cast<uint8_t>(code);
        EXPECT_EQ(Decode(Structure(1, 0, b)).rows().back(), (Row{"Wake-up Type", text}));
    }
}

TEST(SystemInformation, ShortStructureLeavesOutLaterFields)
{
    struct Case {
        int length;
        std::vector<std::string> descriptions;
    };
    const Case cases[] = {
        {0x08, {"Manufacturer", "Product Name", "Version", "Serial Number"}},
        {0x17, {"Manufacturer", "Product Name", "Version", "Serial Number"}}, // UUID cut short
        {0x18, {"Manufacturer", "Product Name", "Version", "Serial Number", "UUID"}},
        {0x1B, {"Manufacturer", "Product Name", "Version", "Serial Number", "UUID", "Wake-up Type"}},
        {0x06, {"Manufacturer", "Product Name"}},
    };
    for (const Case& c : cases) {
        Bytes b = Body(static_cast<size_t>(c.length));
        Decoded d = Decode(Structure(1, 0, b, {"A", "B"}));
        std::vector<std::string> got;
        for (const Row& r : d.rows())
            got.push_back(r[0]);
        EXPECT_EQ(got, c.descriptions) << c.length;
    }
}

TEST(BaseBoardInformation, FourStringRowsOnly)
{
    Bytes b = Body(0x0F);
    for (int i = 0; i < 5; ++i)
        b[At(0x04) + i] = static_cast<uint8_t>(i + 1); // the asset tag at 0x08 is not shown
    b[At(0x09)] = 0x01;
    Decoded d = Decode(Structure(2, 0x200, b, {"Boards", "B1", "2.0", "SN", "ASSET"}));
    EXPECT_EQ(d.caption, "Base Board Information (Type 2)");
    Rows want = {{"Manufacturer", "Boards"}, {"Product", "B1"}, {"Version", "2.0"}, {"Serial Number", "SN"}};
    EXPECT_EQ(d.rows(), want);
}

TEST(SystemEnclosure, AssetTagBeforeVersionAndTheTypeMask)
{
    Bytes b = Body(0x09);
    b[At(0x04)] = 1;
    b[At(0x06)] = 2;
    b[At(0x07)] = 3;
    b[At(0x08)] = 4;
    b[At(0x05)] = 0x83; // lock bit set
    Rows want = {{"Manufacturer", "Cases"}, {"Type", "Desktop"}, {"AssetTag", "TAG"}, {"Version", "V"},
                 {"Serial Number", "SN"}};
    EXPECT_EQ(Decode(Structure(3, 0x300, b, {"Cases", "V", "SN", "TAG"})).rows(), want);

    for (auto [code, text] : {std::pair{0x43, "Desktop"}, {0x00, ""}, {0x18, "Sealed-case PC"}, {0x19, "0x19"},
                              {0xFF, "0x3F"}, {0xD7, "Rack Mount Chassis"}}) {
        b[At(0x05)] = static_cast<uint8_t>(code);
        EXPECT_EQ(Decode(Structure(3, 0, b)).rows()[1], (Row{"Type", text})) << code;
    }
}
