#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_bytes.h"
#include "shell/dump_bin.h"
#include "shell/table_source.h"
#include "tests/table_builder.h"

namespace {

uint8_t Sum(const std::vector<uint8_t>& bytes, size_t from, size_t count)
{
    uint8_t sum = 0;
    for (size_t i = from; i < from + count; ++i)
        sum = static_cast<uint8_t>(sum + bytes[i]);
    return sum;
}

std::string TempPath(const std::string& name)
{
    return testing::TempDir() + "lumetra-" + std::to_string(getpid()) + "-" + name;
}

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

// Each fixture, from its dump and from its sysfs-directory copy, opens with its anchor,
// version and every structure to End-of-Table; saved, the entry point is at 0 with the
// table address 0x20 and right checksums, and the table follows.
// (cli_dump_bin_test.cmake reads the saved files back, with lumetra and dmidecode.)
TEST(DumpBin, FixturesOpenInEveryFormAndSaveWithRightChecksums)
{
    struct Case {
        const char* fixture;
        uint16_t version;
        size_t structures;
    } cases[] = {{"pc-default/dump.bin", 0x0802, 9}, {"pc-default/sysfs", 0x0802, 9},
                 {"q35-workstation/dump.bin", 0x0802, 12}, {"sm3/dump.bin", 0x0003, 9}, {"sm3/sysfs", 0x0003, 9}};
    for (const auto& [fixture, version, structures] : cases) {
        auto reader = ChooseTable({std::string(LUMETRA_TEST_DATA) + "/" + fixture});
        ASSERT_EQ(reader->Open(), kOk) << fixture;
        EXPECT_EQ(reader->Version(), version) << fixture;
        EXPECT_EQ(reader->IndexedCount(), structures) << fixture;
        EXPECT_EQ(reader->StructureCount(), structures) << fixture;
        EXPECT_EQ(reader->IndexEntry(structures - 1).Type(), 127) << fixture;
        std::vector<uint8_t> image = DumpBinImage(*reader);
        ASSERT_GT(image.size(), kDumpTableOffset) << fixture;
        if (reader->Anchor() == AnchorKind::Sm) {
            EXPECT_EQ(std::string(image.begin(), image.begin() + 4), "_SM_") << fixture;
            EXPECT_EQ(Sum(image, 0, image[0x05]), 0) << fixture;
            EXPECT_EQ(Sum(image, 0x10, 0x0F), 0) << fixture;
            EXPECT_EQ((ByteWindow{image.data(), image.size()}.U32(0x18)), 0x20u) << fixture;
            EXPECT_EQ(image.size() - kDumpTableOffset, reader->EntryWindow().U16(0x16)) << fixture;
        } else {
            EXPECT_EQ(std::string(image.begin(), image.begin() + 5), "_SM3_") << fixture;
            EXPECT_EQ(Sum(image, 0, image[0x06]), 0) << fixture;
            EXPECT_EQ((ByteWindow{image.data(), image.size()}.U64(0x10)), 0x20u) << fixture;
        }
        EXPECT_TRUE(std::equal(image.begin() + kDumpTableOffset, image.end(), reader->TableWindow().data))
            << fixture;
    }
}

TEST(DumpBin, OddEntryLengthsAndShortWindows)
{
    Bytes table = Structure(127, 1);
    struct Case {
        const char* name;
        uint8_t lengthByte;
        uint16_t tableLength; // at 0x16
        size_t expectedEntry, expectedTable;
    };
    const Case cases[] = {
        {"usual", 0x1F, 6, 0x1F, 6},
        {"length byte past 0x20", 0xFF, 6, 0x1F, 6},
        {"length byte too short", 0x10, 6, 0x1F, 6},
        {"table longer than the window", 0x1F, 0x400, 0x1F, 6},
        {"table shorter than the window", 0x1F, 2, 0x1F, 2},
    };
    for (const Case& c : cases) {
        Bytes entry = EntryPointSm(0x1000, 1);
        entry[0x05] = c.lengthByte;
        entry[0x16] = static_cast<uint8_t>(c.tableLength);
        entry[0x17] = static_cast<uint8_t>(c.tableLength >> 8);
        CTableReader reader(std::make_unique<MemoryLocator>(entry, table));
        ASSERT_EQ(reader.Open(), kOk) << c.name;
        std::vector<uint8_t> image = DumpBinImage(reader);
        ASSERT_EQ(image.size(), kDumpTableOffset + c.expectedTable) << c.name;
        EXPECT_EQ(image[0x05], c.expectedEntry) << c.name;
        EXPECT_EQ(Sum(image, 0, c.expectedEntry), 0) << c.name;
        EXPECT_EQ(Sum(image, 0x10, 0x0F), 0) << c.name;
    }
    CTableReader closed(std::make_unique<MemoryLocator>(Bytes{}, table));
    EXPECT_TRUE(DumpBinImage(closed).empty());
}

TEST(DumpBin, NewFilesOnlyWithMode0644)
{
    std::string path = TempPath("saved.bin");
    std::string reason;
    unlink(path.c_str());
    mode_t old = umask(077);
    EXPECT_TRUE(WriteNewFile(path, {1, 2, 3}, reason)) << reason;
    umask(old);
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);

    // An existing file, and a link to one, are refused and left as they were.
    std::string link = TempPath("link.bin");
    unlink(link.c_str());
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
    for (const std::string& target : {path, link}) {
        EXPECT_FALSE(WriteNewFile(target, {9, 9, 9, 9}, reason));
        EXPECT_EQ(reason, target + ": File exists");
        EXPECT_EQ(Slurp(path), std::string("\x01\x02\x03"));
    }
    unlink(link.c_str());
    unlink(path.c_str());
}
