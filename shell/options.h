#pragma once
// The command line of lumetra, parsed with getopt_long so that every front end
// (and the Windows console program) reads it the same way. No Qt, no POSIX beyond getopt.
#include <string>

enum class View { Windows, List, Json, Text, Html, Summary };

enum class Action {
    Run,        // show the chosen view, or save the table with --dump-bin
    Help,       // print Usage() on standard output, exit 0
    Version,    // print VersionLine() on standard output, exit 0
    UsageError, // print error and kTryHelp on standard error, exit kUsageStatus
};

constexpr int kUsageStatus = 2;
constexpr const char* kTryHelp = "Try 'lumetra --help'.";

struct CommandLine {
    Action action = Action::Run;
    View view = View::Windows;
    std::string dumpPath; // --from-dump: a saved table instead of this machine's
    std::string dumpBin;  // --dump-bin: where to save the table; empty: not asked
    std::string error;    // for UsageError: the one line naming the problem
};

// Parses argv as getopt_long does; the first --help, --version or error ends the parse.
CommandLine ParseCommandLine(int argc, char** argv);

std::string Usage();
std::string VersionLine();
