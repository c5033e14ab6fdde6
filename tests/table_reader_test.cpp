#include <gtest/gtest.h>

#include "reader/table_reader.h"
#include "tests/table_builder.h"

namespace {

std::vector<uint16_t> HandlesOf(CTableReader& reader, int type)
{
    std::vector<uint16_t> found;
    reader.FindFirst(type);
    uint16_t h = 0;
    while (reader.FindNext(&h) == kOk)
        found.push_back(h);
    reader.FindClose();
    return found;
}

} // namespace

TEST(CTableReader, BeforeOpenEverythingFailsAndMissingOutputsAreInvalid)
{
    CTableReader reader(std::make_unique<MemoryLocator>(EntryPointSm(0, 1), Structure(1, 1)));
    uint16_t h;
    const uint8_t* s;
    const char* text;
    EXPECT_EQ(reader.FindFirst(1), kFail);
    EXPECT_EQ(reader.FindNext(&h), kFail);
    EXPECT_EQ(reader.FindClose(), kFail);
    EXPECT_EQ(reader.GetStructure(1, &s), kFail);
    EXPECT_EQ(reader.GetString(1, &text), kInvalidArg);
    EXPECT_EQ(reader.GetString(0, &text), kInvalidArg);

    ASSERT_EQ(reader.Open(), kOk);
    EXPECT_EQ(reader.FindNext(nullptr), kInvalidArg);
    EXPECT_EQ(reader.GetStructure(1, nullptr), kInvalidArg);
    EXPECT_EQ(reader.GetString(1, nullptr), kInvalidArg);
}

TEST(CTableReader, SearchFindsEveryStructureOfATypeInOrderThenStops)
{
    auto reader = OpenTable({Structure(17, 0x1100), Structure(4, 0x400), Structure(17, 0x1101),
                             Structure(44, 0x2C00), Structure(17, 0x1102), Structure(255, 0xFF01)});
    EXPECT_EQ(HandlesOf(*reader, 17), (std::vector<uint16_t>{0x1100, 0x1101, 0x1102}));
    EXPECT_EQ(HandlesOf(*reader, 300), (std::vector<uint16_t>{0x2C00})); // low 8 bits: 44
    EXPECT_TRUE(HandlesOf(*reader, 9).empty());

    // After the last match FindNext keeps failing until the next FindFirst.
    uint16_t h = 0;
    reader->FindFirst(4);
    EXPECT_EQ(reader->FindNext(&h), kOk);
    EXPECT_EQ(reader->FindNext(&h), kFail);
    EXPECT_EQ(reader->FindNext(&h), kFail);
    reader->FindFirst(4);
    EXPECT_EQ(reader->FindNext(&h), kOk);

    // After FindClose, FindNext looks for type 255 from the first structure.
    reader->FindClose();
    EXPECT_EQ(reader->FindNext(&h), kOk);
    EXPECT_EQ(h, 0xFF01);
}

TEST(CTableReader, SearchesAndLookupsAnswerAsAScanFromTheStartWould)
{
    // Types and handles repeat in no order, past entry 255 (an 8-bit search position would
    // lose the rest); every answer is that of a scan of the index.
    std::vector<Bytes> structures;
    uint32_t seed = 1;
    for (int i = 0; i < 600; ++i) {
        seed = seed * 1103515245u + 12345u;
        structures.push_back(Structure(static_cast<uint8_t>((seed >> 24) % 12 * 23), static_cast<uint16_t>((seed >> 8) % 400)));
    }
    auto reader = OpenTable(structures);
    ASSERT_EQ(reader->IndexedCount(), 600u);
    for (int type = 0; type <= 255; ++type) {
        std::vector<uint16_t> scanned;
        for (size_t i = 0; i < reader->IndexedCount(); ++i)
            if (reader->IndexEntry(i).Type() == type)
                scanned.push_back(reader->IndexEntry(i).Handle());
        EXPECT_EQ(HandlesOf(*reader, type), scanned) << "type " << type;
    }
    for (unsigned handle = 0; handle <= 0xFFFF; ++handle) {
        const uint8_t* scanned = nullptr;
        for (size_t i = 0; i < reader->IndexedCount() && !scanned; ++i)
            if (reader->IndexEntry(i).Handle() == handle)
                scanned = reader->IndexEntry(i).start;
        const uint8_t* s = nullptr;
        EXPECT_EQ(reader->GetStructure(static_cast<uint16_t>(handle), &s), scanned ? kOk : kFail);
        if (scanned) {
            EXPECT_EQ(s, scanned) << "handle " << handle;
        }
    }
}

TEST(CTableReader, GetStringCases)
{
    auto reader = OpenTable({Structure(1, 1, {0}, {"one", "two", "three"}), Structure(2, 2),
                             Structure(3, 3, {}, {"x"}, 0)});
    const uint8_t* s = nullptr;
    const char* text = nullptr;
    ASSERT_EQ(reader->GetStructure(1, &s), kOk);
    EXPECT_EQ(reader->GetStructure(9, &s), kFail); // a failed look-up keeps the current structure
    struct Case {
        int number;
        ResultCode want;
        const char* text;
    } cases[] = {
        {0, kOk, ""}, {1, kOk, "one"}, {3, kOk, "three"}, {4, kFail, nullptr},
        {256, kOk, ""}, {257, kOk, "one"}, {-1, kFail, nullptr} /* 255 */,
    };
    for (const Case& c : cases) {
        text = "unset";
        EXPECT_EQ(reader->GetString(c.number, &text), c.want) << c.number;
        if (c.text)
            EXPECT_STREQ(text, c.text) << c.number;
        else
            EXPECT_EQ(text, nullptr) << c.number;
    }

    // No strings at all: the set is two NUL bytes.
    ASSERT_EQ(reader->GetStructure(2, &s), kOk);
    EXPECT_EQ(reader->GetString(1, &text), kFail);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(reader->GetString(0, &text), kOk);

    // A formatted length of 0 has no strings, but number 0 still gives "".
    ASSERT_EQ(reader->GetStructure(3, &s), kOk);
    EXPECT_EQ(reader->GetString(1, &text), kFail);
    EXPECT_EQ(reader->GetString(0, &text), kOk);
    EXPECT_STREQ(text, "");
}
