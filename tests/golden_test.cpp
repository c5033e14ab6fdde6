// Decodes every structure of the firmware dumps in tests/data to the text view and
// compares with tests/golden/<name>.txt. With LUMETRA_REGENERATE=1 set, it writes
// the goldens instead, for review.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "shell/views.h"
#include "tests/table_builder.h"

namespace {

const char* const kDumps[] = {"pc-default", "q35-workstation", "sm3"};

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

TEST(Golden, TextViewOfEveryFixture)
{
    bool regenerate = std::getenv("LUMETRA_REGENERATE") != nullptr;
    for (const char* name : kDumps) {
        CTableReader reader(MakeSavedTableLocator(TestData(std::string(name) + "/dump.bin")));
        ASSERT_EQ(reader.Open(), kOk) << name;
        std::string actual = RenderText(reader, "GOLDEN");
        // The source path differs between checkouts.
        size_t from = actual.find(" from ");
        size_t comma = actual.find(", ", from);
        actual.replace(from + 6, comma - from - 6, std::string(name) + "/dump.bin");

        std::string golden = std::string(LUMETRA_GOLDEN_DIR) + "/" + name + ".txt";
        if (regenerate) {
            WriteText(golden, actual);
            continue;
        }
        std::string expected = ReadText(golden);
        if (actual != expected) {
            std::string actualPath = golden + ".actual";
            WriteText(actualPath, actual);
            std::string command = "diff -u '" + golden + "' '" + actualPath + "'";
            std::fflush(stdout);
            int rc = std::system(command.c_str());
            (void)rc;
            ADD_FAILURE() << name << ": text view differs from " << golden
                          << " (diff above; run the regenerate-goldens target to update)";
        }
    }
}
