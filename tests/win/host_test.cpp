// This machine's table under Wine, through the real version query: Wine reports the
// Windows version that the program was given, and serves a firmware table made from
// the host, so the shape and the walk are checked, not the content.
#include <gtest/gtest.h>

#include "platform/version_query.h"
#include "reader/os_kind.h"
#include "reader/table_reader.h"
#include "shell/views.h"

TEST(WindowsHost, VersionQueryGivesTheKind)
{
    OsVersionRecord extended, plain;
    extended.size = kVersionRecordExtended;
    plain.size = kVersionRecordPlain;
    ASSERT_TRUE(HostVersionQuery().Query(extended));
    ASSERT_TRUE(HostVersionQuery().Query(plain));
    EXPECT_EQ(plain.major, extended.major);
    EXPECT_EQ(plain.platformId, 2u); // NT
    ResetOsKindCache();
    EXPECT_EQ(DetectOsKind(), EXPECTED_KIND) << extended.major << "." << extended.minor;
    EXPECT_EQ(HasFirmwareTableService(HostVersionQuery()), EXPECTED_RSMB == 1);
}

TEST(WindowsHost, ThisMachinesTable)
{
    ResetOsKindCache();
    CTableReader reader;
    ResultCode rc = reader.Open();
    if (EXPECTED_RSMB == 0) {
        // XP's driver path: Wine has no physical memory to map, so the reader says why.
        EXPECT_EQ(rc, kFail);
        EXPECT_FALSE(reader.Reason().empty());
        return;
    }
    ASSERT_EQ(rc, kOk) << reader.Reason();
    EXPECT_EQ(reader.Anchor(), AnchorKind::Rsmb);
    EXPECT_GE(reader.Version() & 0xFF, 2) << "major version";
    ASSERT_GT(reader.IndexedCount(), 0u);
    EXPECT_EQ(reader.StructureCount(), reader.IndexedCount());
    ByteWindow table = reader.TableWindow();
    for (size_t i = 0; i < reader.IndexedCount(); ++i) {
        const StructExtent& s = reader.IndexEntry(i);
        EXPECT_GE(s.Length(), 4) << "structure " << i;
        EXPECT_GE(s.start, table.data);
        EXPECT_LE(s.start + s.size, table.data + table.size) << "structure " << i;
    }
    for (const std::string& problem : reader.Problems())
        ADD_FAILURE() << problem;
    const uint8_t* first = nullptr;
    EXPECT_EQ(reader.GetStructure(reader.IndexEntry(0).Handle(), &first), kOk);
    std::string json = RenderJson(reader, "PC");
    EXPECT_NE(json.find("\"anchor\": \"RSMB\""), std::string::npos);
    EXPECT_NE(json.find("\"source\": \"firmware table RSMB\""), std::string::npos);
}
