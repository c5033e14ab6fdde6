#include <gtest/gtest.h>

#include "tests/decode_helpers.h"

namespace {

// Fields by SMBIOS offset; length cuts the formatted area short.
Bytes MemoryArray(uint8_t code, uint32_t capacity, uint16_t errorHandle, size_t length = 0x0F)
{
    Bytes b = {code, code, code, 0, 0, 0, 0, 0, 0, 2, 0};
    PutU32(b, 0x07 - 4, capacity);
    PutU16(b, 0x0B - 4, errorHandle);
    b.resize(length - 4);
    return Structure(16, 0x1000, b);
}

Bytes MemoryDevice(uint16_t size, uint8_t code = 9, uint16_t detail = 0x0080, size_t length = 0x15)
{
    Bytes b = Body(0x15);
    PutU16(b, 0x04 - 4, 0x1000);
    PutU16(b, 0x06 - 4, 0x0033);
    PutU16(b, 0x08 - 4, 0xFFFF);
    PutU16(b, 0x0A - 4, 64);
    PutU16(b, 0x0C - 4, size);
    b[0x0E - 4] = b[0x12 - 4] = code;
    b[0x0F - 4] = 0xFF;
    b[0x10 - 4] = 1;
    b[0x11 - 4] = 2;
    PutU16(b, 0x13 - 4, detail);
    b.resize(length - 4);
    return Structure(17, 0x1100, b, {"DIMM 0", "BANK 0"});
}

Bytes MappedAddress(uint32_t start, uint32_t end, size_t length = 0x0F)
{
    Bytes b = Body(0x0F);
    PutU32(b, 0x04 - 4, start);
    PutU32(b, 0x08 - 4, end);
    PutU16(b, 0x0C - 4, 0x1000);
    b[0x0E - 4] = 1;
    b.resize(length - 4);
    return Structure(19, 0x1300, b);
}

} // namespace

TEST(PhysicalMemoryArray, CapacityHandlesAndCodes)
{
    Decoded d = Decode(MemoryArray(0x03, 0x00080000, 0xFFFE));
    Rows want = {{"Data Structure Handle", "0x1000"},  {"Location", "System board or motherboard"},
                 {"Use in", "System memory"},          {"Memory Error Correction", "None"},
                 {"Maximum Capacity", "512 M Bytes"}, {"Memory Error Information Handle", "Not provide"},
                 {"Memory of Memory Devices", "2"}};
    EXPECT_EQ(d.rows(), want);

    const std::pair<uint32_t, const char*> capacities[] = {
        {1024, "1024 K Bytes"}, {1025, "1 M Bytes"}, {2047, "1 M Bytes"}, {0xFFFFFFFF, "4194303 M Bytes"}};
    for (auto [capacity, text] : capacities)
        EXPECT_EQ(Decode(MemoryArray(3, capacity, 0)).rows()[4][1], text) << capacity;

    struct Case {
        uint8_t code;
        uint16_t errorHandle;
        Row want; // location, use, correction, error handle
    };
    const Case cases[] = {
        {0x00, 0xFFFF, {"", "", "", "FFFF (See Type 18)"}},
        {0x07, 0x0012, {"MCA add-on card", "Cache memory", "CRC", "0012 (See Type 18)"}},
        {0xA1, 0xFFFE, {"PC-98/C24 add-on card", "0xA1", "0xA1", "Not provide"}},
    };
    for (const Case& c : cases) {
        Rows rows = Decode(MemoryArray(c.code, 0, c.errorHandle)).rows();
        EXPECT_EQ((Row{rows[1][1], rows[2][1], rows[3][1], rows[5][1]}), c.want) << +c.code;
    }
    EXPECT_EQ(Decode(MemoryArray(3, 0, 0, 0x0E)).rows().size(), 6u); // device count cut in half
}

TEST(MemoryDevice, RowsInOrderWithTheSizeBeforeTheWidths)
{
    Decoded d = Decode(MemoryDevice(0x0400));
    Rows want = {{"Data Structure Handle", "0x1100"},
                 {"Memory Array Handle", "0x1000  (Refer to Type 16)"},
                 {"Memory Error Information Handle", "0x0033  (Refer to Type 18 & 33)"},
                 {"Size of Memory Device", "1024 M Bytes"},
                 {"Total Width", "Unknown"},
                 {"Data Width", "64 Bits"},
                 {"Form Factor", "DIMM"},
                 {"Device Set", "255"},
                 {"Device Locator", "DIMM 0"},
                 {"Bank Locator", "BANK 0"},
                 {"Memory Type", "FLASH"},
                 {"Type Detail", "Synchronous"}};
    EXPECT_EQ(d.rows(), want);

    // Without the type detail field, and cut before the size.
    EXPECT_EQ(Decode(MemoryDevice(0x0400, 9, 0x0080, 0x13)).rows().size(), 11u);
    Rows cut = Decode(MemoryDevice(0x0400, 9, 0x0080, 0x0C)).rows();
    ASSERT_EQ(cut.size(), 5u);
    EXPECT_EQ(cut[3][0], "Total Width");
}

TEST(MemoryDevice, SizesCodesAndTypeDetail)
{
    const std::pair<uint16_t, const char*> sizes[] = {
        {0x0000, "No memory device in socket"}, {0x8000, "No memory device in socket"}, {0x8200, "512 K Bytes"},
        {0x4000, "16384 M Bytes"}, {0x7FFF, "32767 M Bytes"}, {0xFFFF, "Unknown"}};
    for (auto [size, text] : sizes)
        EXPECT_EQ(Decode(MemoryDevice(size)).rows()[3][1], text) << std::hex << size;

    // Both tables start at code 1.
    const std::tuple<uint8_t, const char*, const char*> codes[] = {
        {0, "0x00", "0x00"}, {1, "Other", "Other"}, {14, "0x0E", "3DRAM"}, {17, "0x11", "0x11"}};
    for (auto [code, formFactor, memoryType] : codes) {
        Rows rows = Decode(MemoryDevice(1, code)).rows();
        EXPECT_EQ(rows[6][1], formFactor) << +code;
        EXPECT_EQ(rows[10][1], memoryType) << +code;
    }

    const std::pair<uint16_t, Rows> details[] = {
        {0x0280, {{"Type Detail", "Synchronous"}, {"", "EDO"}}},
        {0xE000, {}},
    };
    for (const auto& [detail, want] : details) {
        Rows rows = Decode(MemoryDevice(1, 9, detail)).rows();
        EXPECT_EQ(Rows(rows.begin() + 11, rows.end()), want) << std::hex << detail;
    }
}

TEST(MappedAddress, RowsWithoutAHandleAndAddressesPast4GiB)
{
    Rows want = {{"Starting Address", "0x00000000"},
                 {"Ending Address", "0x0FFFFFFF"},
                 {"Memory Array Handle", "0x1000  (Refer to Type 16)"},
                 {"Partition Width", "1"}};
    EXPECT_EQ(Decode(MappedAddress(0, 0x0003FFFF)).rows(), want);

    struct Case {
        uint32_t start, end;
        const char *startText, *endText;
    };
    const Case cases[] = {
        {0x00000400, 0x003FFFFF, "0x00100000", "0xFFFFFFFF"},
        {0x00400000, 0x007FFFFF, "0x100000000", "0x1FFFFFFFF"},
        {0xFFFFFFFF, 0xFFFFFFFF, "0x3FFFFFFFC00", "0x3FFFFFFFFFF"},
    };
    for (const Case& c : cases) {
        Rows rows = Decode(MappedAddress(c.start, c.end)).rows();
        EXPECT_EQ(rows[0][1], c.startText) << std::hex << c.start;
        EXPECT_EQ(rows[1][1], c.endText) << std::hex << c.end;
    }
    EXPECT_EQ(Decode(MappedAddress(0, 0, 0x0C)).rows().size(), 2u);
}
