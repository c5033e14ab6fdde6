#include <gtest/gtest.h>

#include <vector>

#include "shell/options.h"

namespace {

CommandLine Parse(std::vector<std::string> args)
{
    args.insert(args.begin(), "lumetra");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return ParseCommandLine(static_cast<int>(args.size()), argv.data());
}

} // namespace

TEST(Options, EveryOptionItsShortFormAndItsEqualsForm)
{
    struct Case {
        std::vector<std::string> args;
        Action action;
        View view;
        std::string dumpPath, dumpBin;
    };
    const Case cases[] = {
        {{}, Action::Run, View::Windows, "", ""},
        {{"--list"}, Action::Run, View::List, "", ""},
        {{"-l"}, Action::Run, View::List, "", ""},
        {{"--json"}, Action::Run, View::Json, "", ""},
        {{"--text"}, Action::Run, View::Text, "", ""},
        {{"-H", "-f", "a.bin"}, Action::Run, View::Html, "a.bin", ""},
        {{"--summary"}, Action::Run, View::Summary, "", ""},
        {{"--from-dump", "a.bin"}, Action::Run, View::Windows, "a.bin", ""},
        {{"--from-dump=a.bin", "--json"}, Action::Run, View::Json, "a.bin", ""},
        {{"-f", "a.bin", "-t"}, Action::Run, View::Text, "a.bin", ""},
        {{"-h"}, Action::Help, View::Windows, "", ""},
        {{"-ja.bin"}, Action::UsageError, View::Windows, "", ""}, // -j takes no argument: 'a' is unknown
        {{"-jfa.bin"}, Action::Run, View::Json, "a.bin", ""},
        {{"--dump-bin", "out.bin"}, Action::Run, View::Windows, "", "out.bin"},
        {{"--dump-bin=-", "--from-dump=dir"}, Action::Run, View::Windows, "dir", "-"},
        {{"-B", "out.bin"}, Action::Run, View::Windows, "", "out.bin"},
        {{"--help"}, Action::Help, View::Windows, "", ""},
        {{"--list", "--help", "--bogus"}, Action::Help, View::List, "", ""}, // --help ends the parse
        {{"--version"}, Action::Version, View::Windows, "", ""},
        {{"-V"}, Action::Version, View::Windows, "", ""},
        {{"--vers"}, Action::Version, View::Windows, "", ""}, // unambiguous abbreviations, as getopt_long allows
    };
    for (const Case& c : cases) {
        std::string name = c.args.empty() ? "(none)" : c.args[0];
        CommandLine line = Parse(c.args);
        EXPECT_EQ(line.action, c.action) << name << ": " << line.error;
        if (line.action == Action::UsageError)
            continue;
        EXPECT_EQ(line.view, c.view) << name;
        EXPECT_EQ(line.dumpPath, c.dumpPath) << name;
        EXPECT_EQ(line.dumpBin, c.dumpBin) << name;
    }
}

TEST(Options, EachUsageErrorNamesItsProblem)
{
    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    const Case cases[] = {
        {{"--bogus"}, "lumetra: unknown option '--bogus'"},
        {{"-x"}, "lumetra: unknown option '-x'"},
        {{"--list=1"}, "lumetra: option '--list' takes no argument"},
        {{"--from-dump"}, "lumetra: option '--from-dump' needs an argument"},
        {{"--dump-bin"}, "lumetra: option '--dump-bin' needs an argument"},
        {{"--from-dump="}, "lumetra: --from-dump needs a non-empty PATH"},
        {{"--dump-bin", ""}, "lumetra: --dump-bin needs a non-empty FILE"},
        {{"--from-dump", "a", "-f", "b"}, "lumetra: --from-dump given more than once"},
        {{"-B", "a", "--dump-bin=b"}, "lumetra: --dump-bin given more than once"},
        {{"--json", "--text"}, "lumetra: choose one of --list, --json, --text, --html and --summary"},
        {{"-s", "--html"}, "lumetra: choose one of --list, --json, --text, --html and --summary"},
        {{"--dump-bin", "a", "--summary"},
         "lumetra: --dump-bin cannot be combined with --list, --json, --text, --html or --summary"},
        {{"dump.bin"}, "lumetra: unexpected argument 'dump.bin'"},
        {{"--list", "dump.bin", "--json"}, "lumetra: unexpected argument 'dump.bin'"},
    };
    for (const Case& c : cases) {
        CommandLine line = Parse(c.args);
        EXPECT_EQ(line.action, Action::UsageError) << c.error;
        EXPECT_EQ(line.error, c.error);
    }
    // A second parse in one process starts afresh.
    EXPECT_EQ(Parse({"--json"}).view, View::Json);
}

TEST(Options, HelpNamesEveryOptionAndVersionIsTheProjects)
{
    for (const char* option : {"--list", "--json", "--text", "--html", "--summary", "--from-dump=PATH",
                               "--dump-bin=FILE", "--help", "--version", "-l,", "-j,", "-t,", "-H,", "-s,", "-f,",
                               "-B,", "-h,", "-V,"})
        EXPECT_NE(Usage().find(option), std::string::npos) << option;
    EXPECT_EQ(VersionLine(), "lumetra 1.0\n");
}
