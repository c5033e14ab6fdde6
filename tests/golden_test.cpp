// Decodes every structure of the firmware dumps in tests/data to the text view and
// compares with tests/golden/<name>.txt. With LUMETRA_REGENERATE=1 set, it writes
// the goldens instead, for review.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "shell/views.h"
#include "tests/table_builder.h"

namespace {

// Every tests/data/<name>/dump.bin, by name.
std::vector<std::string> Fixtures()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(LUMETRA_TEST_DATA))
        if (std::filesystem::exists(entry.path() / "dump.bin"))
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

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
    std::vector<std::string> names = Fixtures();
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        CTableReader reader(MakeSavedTableLocator(TestData(name + "/dump.bin")));
        ASSERT_EQ(reader.Open(), kOk) << name;
        std::string actual = RenderText(reader, "GOLDEN");
        // The source path differs between checkouts.
        size_t from = actual.find(" from ");
        size_t comma = actual.find(", ", from);
        actual.replace(from + 6, comma - from - 6, name + "/dump.bin");

        std::string golden = std::string(LUMETRA_GOLDEN_DIR) + "/" + name + ".txt";
        if (!regenerate && !std::filesystem::exists(golden)) {
            ADD_FAILURE() << name << ": no golden; run the regenerate-goldens target and review it";
            continue;
        }
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
