#include <gtest/gtest.h>

#include <cstdlib>

#include "shell/views.h"
#include "tests/table_builder.h"

TEST(Views, HostileTextIsEscaped)
{
    std::string hostile = "a\x1b[2J\x7f\x85\xe9\"\\";
    EXPECT_EQ(TerminalText(hostile), "a\\x1B[2J\\x7F\\x85\xc3\xa9\"\\");
    EXPECT_EQ(JsonString(hostile), "\"a\\u001B[2J\\u007F\\u0085\xc3\xa9\\\"\\\\\"");
}

TEST(Views, JsonCarriesTheEntryPointAndDecodesDuplicateHandlesSeparately)
{
    auto reader = OpenTable({Structure(200, 7, {}, {"first"}), Structure(201, 7, {}, {"second"})}, 5);
    std::string json = RenderJson(*reader, "PC");
    EXPECT_NE(json.find("\"smbios\": {\"anchor\": \"_SM_\", \"version\": \"2.8\", \"max_structure_size\": 0, "
                        "\"structure_count\": 5}"),
              std::string::npos);
    EXPECT_NE(json.find("[\"String 1\", \"first\"]"), std::string::npos);
    EXPECT_NE(json.find("[\"String 1\", \"second\"]"), std::string::npos);
    EXPECT_NE(json.find("\"tree\": {\"text\": \"Computer Name : PC\", \"handle\": 0, \"children\": ["),
              std::string::npos);
}

TEST(Views, TextAlignsColumnsAndKeepsTrailingBlanksOfValues)
{
    auto reader = OpenTable({Structure(200, 0x1234, {0xAA, 0xBB}, {"abc"})});
    std::string text = RenderText(*reader, "PC");
    EXPECT_NE(text.find("\n[0] Type 200, handle 0x1234\n"
                        "  Description  Value\n"
                        "  Type         200\n"),
              std::string::npos);
    EXPECT_NE(text.find("  Data Source  0000: C8 06 34 12 AA BB \n"), std::string::npos);
}

TEST(Views, UtfEightPathsKeepTheirBytes)
{
    std::string path = ::testing::TempDir() + "tabl\xc3\xa9.bin";
    std::string copy = "cp '" + TestData("pc-default/dump.bin") + "' '" + path + "'";
    ASSERT_EQ(std::system(copy.c_str()), 0);
    CTableReader reader(MakeSavedTableLocator(path));
    ASSERT_EQ(reader.Open(), kOk);
    EXPECT_NE(RenderJson(reader, "PC").find("\"source\": \"" + path + "\""), std::string::npos);
    EXPECT_NE(RenderText(reader, "PC").find(" from " + path + ", "), std::string::npos);
}
