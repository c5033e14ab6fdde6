#include "shell/options.h"

#include <getopt.h>

#ifndef LUMETRA_VERSION
#define LUMETRA_VERSION "0"
#endif

namespace {

const option kLongOptions[] = {
    {"list", no_argument, nullptr, 'l'},       {"json", no_argument, nullptr, 'j'},
    {"text", no_argument, nullptr, 't'},       {"html", no_argument, nullptr, 'H'},
    {"summary", no_argument, nullptr, 's'},    {"from-dump", required_argument, nullptr, 'f'},
    {"dump-bin", required_argument, nullptr, 'B'}, {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},    {nullptr, 0, nullptr, 0},
};
// Leading ':' tells a missing argument apart from an unknown option; '+' stops at the
// first operand instead of moving it to the end, so the operand is the one reported.
const char kShortOptions[] = "+:ljtHsf:B:hV";

std::string OptionName(int code)
{
    for (const option& o : kLongOptions)
        if (o.val == code && o.name)
            return std::string("--") + o.name;
    return std::string("-") + static_cast<char>(code);
}

CommandLine Error(std::string what)
{
    CommandLine line;
    line.action = Action::UsageError;
    line.error = "lumetra: " + what;
    return line;
}

} // namespace

CommandLine ParseCommandLine(int argc, char** argv)
{
    CommandLine line;
    bool viewGiven = false;
    bool dumpGiven = false;
    opterr = 0;
    optind = 0; // 0 makes getopt_long start afresh, for a second parse in the same process
    for (;;) {
        int before = optind ? optind : 1;
        int code = getopt_long(argc, argv, kShortOptions, kLongOptions, nullptr);
        if (code == -1)
            break;
        std::string written = before < argc ? argv[before] : "";
        switch (code) {
        case 'l':
        case 'j':
        case 't':
        case 'H':
        case 's':
            if (viewGiven)
                return Error("choose one of --list, --json, --text, --html and --summary");
            viewGiven = true;
            line.view = code == 'l'   ? View::List
                        : code == 'j' ? View::Json
                        : code == 't' ? View::Text
                        : code == 'H' ? View::Html
                                      : View::Summary;
            break;
        case 'f':
            if (dumpGiven)
                return Error("--from-dump given more than once");
            if (*optarg == '\0')
                return Error("--from-dump needs a non-empty PATH");
            dumpGiven = true;
            line.dumpPath = optarg;
            break;
        case 'B':
            if (!line.dumpBin.empty())
                return Error("--dump-bin given more than once");
            if (*optarg == '\0')
                return Error("--dump-bin needs a non-empty FILE");
            line.dumpBin = optarg;
            break;
        case 'h':
            line.action = Action::Help;
            return line;
        case 'V':
            line.action = Action::Version;
            return line;
        case ':':
            return Error("option '" + OptionName(optopt) + "' needs an argument");
        default:
            // getopt_long names the option in optopt when it exists but was given a value.
            if (written.compare(0, 2, "--") == 0)
                return Error(optopt ? "option '" + OptionName(optopt) + "' takes no argument"
                                    : "unknown option '" + written.substr(0, written.find('=')) + "'");
            return Error("unknown option '-" + std::string(1, static_cast<char>(optopt)) + "'");
        }
    }
    if (optind < argc)
        return Error("unexpected argument '" + std::string(argv[optind]) + "'");
    if (!line.dumpBin.empty() && viewGiven)
        return Error("--dump-bin cannot be combined with --list, --json, --text, --html or --summary");
    return line;
}

std::string Usage()
{
    return "Usage: lumetra [OPTION]...\n"
           "Show the SMBIOS (DMI) structure table: in windows, or as a list, JSON, text,\n"
           "an HTML page or a summary of the machine.\n"
           "\n"
           "  -l, --list              one line per indexed structure\n"
           "  -j, --json              the tree and every decoded structure as JSON\n"
           "  -t, --text              the same for a person\n"
           "  -H, --html              the same as one self-contained HTML page\n"
           "  -s, --summary           the system, board, chassis, firmware, processors\n"
           "                          and memory in a few lines\n"
           "  -f, --from-dump=PATH    read a saved table (a --dump-bin file, or a copy of\n"
           "                          /sys/firmware/dmi/tables) instead of this machine's\n"
           "  -B, --dump-bin=FILE     save the table in the dmidecode --dump-bin layout to\n"
           "                          FILE, a new file ('-': standard output)\n"
           "  -h, --help              show this help and exit\n"
           "  -V, --version           show the version and exit\n"
           "\n"
#ifdef _WIN32
           "Without a view or --dump-bin, the text is written; the\n"
           "windows are lumetra.exe, which also takes --from-dump.\n"
           "This machine's table is read from physical memory on Windows 95 to XP, and\n"
           "from the firmware table service on Windows Vista and later.\n"
#else
           "Without a view or --dump-bin, the windows open.\n"
           "This machine's table is read from /sys/firmware/dmi/tables, then /dev/mem;\n"
           "both usually need root.\n"
#endif
           "\n"
           "Exit status: 0 success, 1 no table or an error on the way, 2 a usage error.\n";
}

std::string VersionLine()
{
    return std::string("lumetra ") + LUMETRA_VERSION + "\n";
}
