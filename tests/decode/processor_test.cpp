#include <gtest/gtest.h>

#include "tests/decode_helpers.h"

namespace {

constexpr size_t At(size_t smbiosOffset)
{
    return smbiosOffset - 4;
}

// A 2.0-era type 4 (length 0x1A).
Bytes ProcessorBody()
{
    return Body(0x1A);
}

// The Value of the row with this Description; "<absent>" when there is none.
std::string ValueOf(const Rows& rows, const std::string& description)
{
    for (const Row& r : rows)
        if (r[0] == description)
            return r[1];
    return "<absent>";
}

} // namespace

TEST(ProcessorInformation, AllRowsInOrder)
{
    Bytes b = ProcessorBody();
    b[At(0x04)] = 1;
    b[At(0x05)] = 3;
    b[At(0x06)] = 0x0B;
    b[At(0x07)] = 2;
    const uint8_t id[] = {0x33, 0x06, 0x00, 0x00, 0xFF, 0xFB, 0x83, 0x03};
    for (int i = 0; i < 8; ++i)
        b[At(0x08) + i] = id[i];
    b[At(0x10)] = 3;
    b[At(0x11)] = 0xA1;
    PutU16(b, At(0x12), 0x0042);
    PutU16(b, At(0x14), 0x0320);
    PutU16(b, At(0x16), 0x0258);
    b[At(0x18)] = 0x41;
    b[At(0x19)] = 8;
    Decoded d = Decode(Structure(4, 0x400, b, {"Slot 1", "GenuineIntel", "Pentium III"}));
    EXPECT_EQ(d.caption, "Processor Information (Type 4)");
    Rows want = {{"Socket Designation", "Slot 1"},
                 {"Processor Type", "Central Processor"},
                 {"Processor Family", "Pentium processor Family"},
                 {"Processor Manufaturer", "GenuineIntel"},
                 {"Processor ID", "0633-0000-FBFF-0383"},
                 {"Processor Version", "Pentium III"},
                 {"Processor Voltage", "3.3 Volt"},
                 {"External Clock", "66 M Hz"},
                 {"Max Speed", "800 M Hz"},
                 {"Current Speed", "600 M Hz"},
                 {"Processor Upgrade", "Slot 1"},
                 {"Processor Status", "CPU Socket Populated"},
                 {"", "CPU Enabled"}};
    EXPECT_EQ(d.rows(), want);
}

TEST(ProcessorInformation, Voltage)
{
    // Bit 7 set: tenths of a volt in bits 0 to 5. Clear: flags for 5 V, 3.3 V and 2.9 V.
    for (auto [byte, text] : {std::pair{0x8C, "1.2 Volt"}, {0xA1, "3.3 Volt"}, {0xC0, "0.0 Volt"}, {0xFF, "6.3 Volt"},
                              {0x00, ""}, {0x02, "3.3V"}, {0x07, "5V, 3.3V, 2.9V"}, {0x0D, "5V, 2.9V"}, {0x08, ""}}) {
        Bytes b = ProcessorBody();
        b[At(0x11)] = static_cast<uint8_t>(byte);
        EXPECT_EQ(ValueOf(Decode(Structure(4, 0, b)).rows(), "Processor Voltage"), text) << std::hex << byte;
    }
}

TEST(ProcessorInformation, CodesThroughTheirTables)
{
    struct Case {
        const char* description;
        size_t offset;
        uint8_t code;
        const char* text;
    };
    const Case cases[] = {
        {"Processor Family", 0x06, 0x0F, "Celeron processor"},
        {"Processor Family", 0x06, 0x06, "Intel386 processor"},
        {"Processor Family", 0x06, 0x11, "Reserved for specific Pentium processor versons"},
        {"Processor Family", 0x06, 0x1A, "Reserved for specific K5 versions"},
        {"Processor Family", 0x06, 0x00, "Not Define"},
        {"Processor Family", 0x06, 0x14, "Not Define"},
        {"Processor Family", 0x06, 0x18, "Not Define"},
        {"Processor Family", 0x06, 0xFF, "Not Define"},
        {"Processor Type", 0x05, 0, ""},
        {"Processor Type", 0x05, 6, "Video Processor"},
        {"Processor Type", 0x05, 7, "0x07"},
        {"Processor Upgrade", 0x19, 9, "Slot 2"},
        {"Processor Upgrade", 0x19, 10, "0x0A"},
        {"Processor Upgrade", 0x19, 0xC8, "0xC8"},
    };
    for (const Case& c : cases) {
        Bytes b = ProcessorBody();
        b[At(c.offset)] = c.code;
        EXPECT_EQ(ValueOf(Decode(Structure(4, 0, b)).rows(), c.description), c.text) << c.description << " " << +c.code;
    }
}

TEST(ProcessorInformation, StatusRowsAndZeroFields)
{
    struct Case {
        uint8_t status;
        Row populated;
        Row state;
    };
    const Case cases[] = {
        {0x41, {"Processor Status", "CPU Socket Populated"}, {"", "CPU Enabled"}},
        {0x07, {"Processor Status", "CPU Socket Unpopulated"}, {"", ""}},
        {0x44, {"Processor Status", "CPU Socket Populated"}, {"", "CPU is Idle,waiting to be enabled."}},
        {0xBB, {"Processor Status", "CPU Socket Unpopulated"}, {"", "CPU Disabled By BIOS (POST Error)"}},
    };
    for (const Case& c : cases) {
        Bytes b = ProcessorBody();
        b[At(0x18)] = c.status;
        Rows rows = Decode(Structure(4, 0, b)).rows();
        ASSERT_EQ(rows.size(), 13u);
        EXPECT_EQ(rows[11], c.populated);
        EXPECT_EQ(rows[12], c.state);
        EXPECT_EQ(rows[4], (Row{"Processor ID", "0000-0000-0000-0000"}));
        EXPECT_EQ(rows[7], (Row{"External Clock", "0 M Hz"}));
    }
}

TEST(ProcessorInformation, StatusRowsLeftOutTogetherWithoutTheStatusByte)
{
    Rows rows = Decode(Structure(4, 0, Body(0x18))).rows();
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows.back()[0], "Current Speed");

    // With the status byte but without the upgrade byte, the status rows stay.
    rows = Decode(Structure(4, 0, Body(0x19))).rows();
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[10], (Row{"Processor Status", "CPU Socket Unpopulated"}));
}

TEST(ProcessorInformation, ShortStructureKeepsOnlyWholeFields)
{
    struct Case {
        int length;
        const char* last;
    };
    // Each cut leaves out every field that does not fit whole, the ID's four words included.
    const Case cases[] = {{0x0F, "Processor Manufaturer"}, {0x11, "Processor Version"},
                          {0x12, "Processor Voltage"},     {0x13, "Processor Voltage"},
                          {0x15, "External Clock"},        {0x06, "Processor Type"}};
    for (const Case& c : cases) {
        Bytes b = Body(static_cast<size_t>(c.length));
        Rows rows = Decode(Structure(4, 0, b, {"\xFF\xFF\xFF"})).rows();
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows.back()[0], c.last) << c.length;
    }
}
