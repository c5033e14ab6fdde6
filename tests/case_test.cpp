// Runs every case file of tests/cases: each case's bytes through the reader and the
// detail logic, compared with the lines the case expects. A file with a failing case
// is written beside itself as <name>.actual, for review; with LUMETRA_REGENERATE=1 set
// every file is, differing or not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "fuzz/exercise.h"
#include "tests/case_file.h"

namespace {

std::vector<std::string> CaseFiles()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(LUMETRA_CASE_DIR))
        if (entry.path().extension() == ".case")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Diff(const std::vector<std::string>& want, const std::vector<std::string>& got)
{
    std::string out;
    for (const std::string& l : want)
        out += "  - " + l + "\n";
    for (const std::string& l : got)
        out += "  + " + l + "\n";
    return out;
}

class Cases : public testing::TestWithParam<std::string> {};

TEST_P(Cases, EachGivesWhatItExpects)
{
    std::string path = std::string(LUMETRA_CASE_DIR) + "/" + GetParam() + ".case";
    CaseFile file = ParseCaseFile(path);
    ASSERT_EQ(file.error, "");
    std::vector<std::vector<std::string>> actual;
    bool differs = false;
    for (const Case& c : file.cases) {
        for (const CaseExpect& e : c.expects) {
            actual.push_back(ActualLines(c, e));
            if (c.table && !c.rsmb)
                ExerciseDump(e.bytes); // the fuzz targets' checks hold on every crafted table
            if (actual.back() != e.lines) {
                differs = true;
                ADD_FAILURE_AT(path.c_str(), static_cast<int>(e.firstLine + 1))
                    << c.title << "\n" << Diff(e.lines, actual.back());
            }
        }
    }
    std::string actualPath = path + ".actual";
    if (differs || std::getenv("LUMETRA_REGENERATE"))
        std::ofstream(actualPath, std::ios::binary) << RewriteCaseFile(file, actual);
    else
        std::filesystem::remove(actualPath);
}

INSTANTIATE_TEST_SUITE_P(File, Cases, testing::ValuesIn(CaseFiles()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
