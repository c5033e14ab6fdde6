#include <gtest/gtest.h>

#include "tests/decode_helpers.h"

namespace {

constexpr size_t At(size_t smbiosOffset)
{
    return smbiosOffset - 4;
}

// A type 5 with one associated slot handle after 0x0E (length 0x11).
Bytes ControllerBody()
{
    return Body(0x11);
}

// A type 6 of its only length, 0x0C.
Bytes ModuleBody()
{
    return Body(0x0C);
}

Rows RowsOf(uint8_t type, const Bytes& body, const std::vector<std::string>& strings = {})
{
    return Decode(Structure(type, 0x500, body, strings)).rows();
}

Row RowNamed(const Rows& rows, const std::string& description)
{
    for (const Row& r : rows)
        if (r[0] == description)
            return r;
    return {"<absent>", ""};
}

} // namespace

TEST(MemoryControllerInformation, AllRowsInOrder)
{
    Bytes b = ControllerBody();
    b[At(0x04)] = 5;
    b[At(0x05)] = 0x18;
    b[At(0x06)] = 4;
    b[At(0x07)] = 3;
    b[At(0x08)] = 0x0A;
    PutU16(b, At(0x09), 0x0018);
    PutU16(b, At(0x0B), 0x0580);
    b[At(0x0D)] = 0x06;
    b[At(0x0E)] = 4;
    PutU16(b, At(0x0F), 0x0600); // a slot handle: no row
    Decoded d = Decode(Structure(5, 0x500, b));
    EXPECT_EQ(d.caption, "Memory Controller Information (Type 5)");
    Rows want = {{"Error Correcting Method", "32-bit ECC"},
                 {"Error Detecting Capability", "Single Bit Error Correcting"},
                 {"", "Double Bit Error Correcting"},
                 {"Supported Interleave", "Two Way Interleave"},
                 {"Current Interleave", "One Way Interleave"},
                 {"Maximum Memory Module Size", "1024 M Bytes"},
                 {"Supported Speeds", "60ns"},
                 {"", "50ns"},
                 {"Supported Momory Types", "SIMM"},
                 {"", "DIMM"},
                 {"", "SDRAM"},
                 {"Memory Module Voltage", "3.3V"},
                 {"", "2.9V"},
                 {"Number of Associated Memory Slots", "4        (Refer to Type 6)"}};
    EXPECT_EQ(d.rows(), want);
}

TEST(MemoryControllerInformation, CodesAndFlagGroups)
{
    struct Case {
        size_t offset;
        uint16_t value;
        bool word;
        size_t rowCount; // an all-zero structure has five rows
        Row row;
    };
    // Code 0 shows an empty Value, a code past its table shows in hex, and bits past
    // a flag table's last entry add no row.
    const Case cases[] = {
        {0x04, 0, false, 5, {"Error Correcting Method", ""}},
        {0x04, 9, false, 5, {"Error Correcting Method", "0x09"}},
        {0x05, 0xC0, false, 5, {"Supported Interleave", ""}},
        {0x06, 8, false, 5, {"Supported Interleave", "0x08"}},
        {0x07, 7, false, 5, {"Current Interleave", "Sixteen Way Interleave"}},
        {0x09, 0xFFE0, true, 5, {"Current Interleave", ""}},
        {0x0B, 0xF801, true, 6, {"Supported Momory Types", "Other"}},
        {0x0D, 0xF9, false, 6, {"Memory Module Voltage", "5V"}},
    };
    for (const Case& c : cases) {
        Bytes b = ControllerBody();
        if (c.word)
            PutU16(b, At(c.offset), c.value);
        else
            b[At(c.offset)] = static_cast<uint8_t>(c.value);
        Rows rows = RowsOf(5, b);
        EXPECT_EQ(rows.size(), c.rowCount) << std::hex << c.offset << " " << c.value;
        EXPECT_EQ(RowNamed(rows, c.row[0]), c.row) << std::hex << c.offset << " " << c.value;
    }
}

TEST(MemoryControllerInformation, MaximumModuleSize)
{
    for (auto [n, text] : {std::pair{0x00, "1 M Bytes"}, {0x0A, "1024 M Bytes"}, {0x2A, "1024 M Bytes"},
                           {0x1F, "2147483648 M Bytes"}, {0xFF, "2147483648 M Bytes"}}) {
        Bytes b = ControllerBody();
        b[At(0x08)] = static_cast<uint8_t>(n);
        EXPECT_EQ(RowNamed(RowsOf(5, b), "Maximum Memory Module Size")[1], text) << n;
    }
}

TEST(MemoryControllerInformation, ShortStructureLeavesOutFieldsBeyondIt)
{
    // The supported memory types word is cut in half at length 0x0C; nothing of it shows.
    Bytes b = Body(0x0C);
    PutU16(b, At(0x09), 0x0001);
    b[At(0x0B)] = 0xFF;
    Rows rows = RowsOf(5, b, {"\xFF\xFF"});
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back(), (Row{"Supported Speeds", "Other"}));
    EXPECT_EQ(RowNamed(rows, "Number of Associated Memory Slots")[0], "<absent>");
}

TEST(MemoryModuleInformation, AllRowsInOrder)
{
    Bytes b = ModuleBody();
    b[At(0x04)] = 1;
    b[At(0x05)] = 0x01;
    b[At(0x06)] = 70;
    PutU16(b, At(0x07), 0x0110);
    b[At(0x09)] = 0x85;
    b[At(0x0A)] = 0x05;
    b[At(0x0B)] = 0x01; // error status: no row
    Decoded d = Decode(Structure(6, 0x600, b, {"SIMM 1"}));
    EXPECT_EQ(d.caption, "Memory Module Information (Type 6)");
    Rows want = {{"Socket Designation", "SIMM 1"},
                 {"Bank Connections", "RAS 0 & 1 "},
                 {"Current Speed", "70 ns"},
                 {"Current Momory Types", "EDO"},
                 {"", "DIMM"},
                 {"Installed Size", "32 MB"},
                 {"Enabled Size", "32 MB"}};
    EXPECT_EQ(d.rows(), want);
}

TEST(MemoryModuleInformation, BankConnectionsAndSpeed)
{
    for (auto [byte, text] : {std::pair{0x13, "RAS 1 & 3 "}, {0x00, "RAS 0 & 0 "}, {0x2F, "RAS 2"}, {0xF2, "RAS 2"},
                              {0xFF, "None"}, {0xEE, "RAS 14 & 14 "}}) {
        Bytes b = ModuleBody();
        b[At(0x05)] = static_cast<uint8_t>(byte);
        EXPECT_EQ(RowNamed(RowsOf(6, b), "Bank Connections")[1], text) << std::hex << byte;
    }
    for (auto [byte, text] : {std::pair{0, "Unknown"}, {70, "70 ns"}, {255, "255 ns"}}) {
        Bytes b = ModuleBody();
        b[At(0x06)] = static_cast<uint8_t>(byte);
        EXPECT_EQ(RowNamed(RowsOf(6, b), "Current Speed")[1], text) << byte;
    }
}

TEST(MemoryModuleInformation, SizeCodes)
{
    struct Case {
        uint8_t code;
        const char* installed;
        const char* enabled;
    };
    const Case cases[] = {
        {0x85, "32 MB", "32 MB"},
        {0x7D, "Not determinable ", "536870912 MB"},
        {0xFD, "Not determinable ", "536870912 MB"},
        {0x7E, "Module is installed,but no memory has been enabled.",
         "Module is installed,but no memory has been enabled."},
        {0xFE, "Module is installed,but no memory has been enabled.",
         "Module is installed,but no memory has been enabled."},
        {0x7F, "Not installed", "Not installed"},
        {0xFF, "Not installed", "Not installed"},
        {0x1F, "2147483648 MB", "2147483648 MB"},
        {0x20, "1 MB", "1 MB"},
    };
    for (const Case& c : cases) {
        Bytes b = ModuleBody();
        b[At(0x09)] = c.code;
        b[At(0x0A)] = c.code;
        Rows rows = RowsOf(6, b);
        EXPECT_EQ(RowNamed(rows, "Installed Size")[1], c.installed) << std::hex << +c.code;
        EXPECT_EQ(RowNamed(rows, "Enabled Size")[1], c.enabled) << std::hex << +c.code;
    }
}

TEST(MemoryModuleInformation, ShortStructureLeavesOutFieldsBeyondIt)
{
    // Length 0x08 cuts the memory type word: its flags and both sizes are left out.
    Bytes b = Body(0x08);
    b[At(0x04)] = 1;
    Rows rows = RowsOf(6, b, {"\x7F\x7F"});
    Rows want = {{"Socket Designation", "\x7F\x7F"}, {"Bank Connections", "RAS 0 & 0 "}, {"Current Speed", "Unknown"}};
    EXPECT_EQ(rows, want);
}
