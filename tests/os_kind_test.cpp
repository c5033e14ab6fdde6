#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reader/os_kind.h"

namespace {

struct FakeVersionQuery : IVersionQuery {
    bool acceptExtended = true;
    bool acceptPlain = true;
    OsVersionRecord answer;
    std::vector<uint32_t> sizesAsked;

    bool Query(OsVersionRecord& record) override
    {
        sizesAsked.push_back(record.size);
        bool accept = record.size == kVersionRecordExtended ? acceptExtended : acceptPlain;
        if (!accept)
            return false;
        uint32_t size = record.size;
        record = answer;
        record.size = size;
        return true;
    }
};

struct FakeMessageBox : ISystemMessageBox {
    std::vector<std::pair<std::string, std::string>> shown;
    void Show(const char* text, const char* caption) override { shown.emplace_back(text, caption); }
};

class OsKindTest : public ::testing::Test {
protected:
    void SetUp() override { ResetOsKindCache(); }
    void TearDown() override { ResetOsKindCache(); }
    FakeVersionQuery query;
    FakeMessageBox box;
};

} // namespace

TEST(ClassifyOsVersion, EveryRowOfTheTable)
{
    struct Row {
        uint32_t platform, major, minor, build;
        OsKind want;
    } rows[] = {
        {2, 3, 51, 1057, 0},            // NT 3.51 has no path
        {2, 6, 0, 6000, 0},             // neither 4 nor 5
        {2, 4, 0, 1381, 6},             // NT 4.0
        {2, 5, 0, 2195, 7},             // 2000
        {2, 5, 1, 2600, 7},             // XP
        {3, 5, 0, 0, 0},                // unknown platform
        {0xFFFFFFFF, 4, 0, 0, 0},       // compared unsigned, not as -1
        {0, 3, 11, 0, 1},               // Win32s
        {1, 3, 99, 0, 2},               // major below 4
        {1, 4, 0, 950, 2},              // Windows 95
        {1, 4, 9, 1998, 2},             // minor below 10 wins over the build number
        {1, 4, 10, 1998, 3},            // Windows 98
        {1, 4, 10, 0x040A07CE, 3},      // high word of the build ignored
        {1, 4, 10, 2222, 4},            // 98 SE
        {1, 4, 10, 0xFFFF08AE, 4},
        {1, 4, 90, 3000, 5},            // Me
        {1, 5, 0, 1998, 3},             // major above 4
        {1, 0xFFFFFFFF, 0, 0, 5},       // unsigned: a huge major is above 4
    };
    for (const Row& r : rows)
        EXPECT_EQ(ClassifyOsVersion(r.platform, r.major, r.minor, r.build), r.want)
            << r.platform << " " << r.major << "." << r.minor << " build " << r.build;
}

TEST_F(OsKindTest, CachesCodesOneToSevenButNeverZero)
{
    query.answer = {0, 6, 0, 6000, 2}; // code 0: asked again next time
    EXPECT_EQ(DetectOsKind(query, box), 0);
    query.answer = {0, 5, 1, 2600, 2};
    EXPECT_EQ(DetectOsKind(query, box), 7);
    query.answer = {0, 4, 0, 1381, 2};
    EXPECT_EQ(DetectOsKind(query, box), 7);
    EXPECT_EQ(query.sizesAsked.size(), 2u);
    EXPECT_TRUE(box.shown.empty());
}

TEST_F(OsKindTest, FallsBackToThePlainRecordWithTheSameResult)
{
    query.acceptExtended = false;
    query.answer = {0, 4, 10, 2222, 1};
    EXPECT_EQ(DetectOsKind(query, box), 4);
    EXPECT_EQ(query.sizesAsked, (std::vector<uint32_t>{156, 148}));
    EXPECT_TRUE(box.shown.empty());
}

TEST_F(OsKindTest, BothSizesRejectedShowsTheBoxEachTime)
{
    query.acceptExtended = query.acceptPlain = false;
    EXPECT_EQ(DetectOsKind(query, box), 0);
    EXPECT_EQ(DetectOsKind(query, box), 0);
    ASSERT_EQ(box.shown.size(), 2u);
    EXPECT_EQ(box.shown[0].first, "");
    EXPECT_EQ(box.shown[0].second, "Check OS Yupr Error !");
    // The version query works again: the code is computed, not a cached failure.
    query.acceptPlain = true;
    query.answer = {0, 4, 0, 1381, 2};
    EXPECT_EQ(DetectOsKind(query, box), 6);
}
