// lumetra: the viewer's entry. The command-line views run without loading Qt.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "platform/computer_name.h"
#include "reader/table_reader.h"
#include "shell/table_source.h"
#include "shell/views.h"
#include "shell/window_module.h"

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "usage: lumetra [--list | --json | --text] [--from-dump PATH]\n"
                 "  (no view)         the windows: the structure tree and its detail windows\n"
                 "  --list            one line per indexed structure\n"
                 "  --json            the tree and every decoded structure as JSON\n"
                 "  --text            the same for a person\n"
                 "  --from-dump PATH  read a saved table (a dmidecode --dump-bin file, or a copy of\n"
                 "                    /sys/firmware/dmi/tables) instead of this machine's\n");
    return 2;
}

enum class View { None, List, Json, Text };

} // namespace

int main(int argc, char** argv)
{
    View view = View::None;
    TableOptions options;
    for (int i = 1; i < argc; ++i) {
        View chosen = View::None;
        if (std::strcmp(argv[i], "--list") == 0)
            chosen = View::List;
        else if (std::strcmp(argv[i], "--json") == 0)
            chosen = View::Json;
        else if (std::strcmp(argv[i], "--text") == 0)
            chosen = View::Text;
        else if (std::strcmp(argv[i], "--from-dump") == 0 && i + 1 < argc && options.dumpPath.empty() &&
                 *argv[i + 1])
            options.dumpPath = argv[++i];
        else
            return Usage();
        if (chosen != View::None) {
            if (view != View::None)
                return Usage();
            view = chosen;
        }
    }
    if (view == View::None)
        return RunWindowModule(&argc, argv, options.dumpPath);

    std::unique_ptr<CTableReader> reader = ChooseTable(options);
    if (reader->Open() != kOk) {
        std::fprintf(stderr, "%s\n%s\n", kNoDmiFunction, reader->Reason().c_str());
        return 1;
    }
    std::string out;
    switch (view) {
    case View::List:
        out = RenderList(*reader);
        break;
    case View::Json:
        out = RenderJson(*reader, HostComputerName());
        break;
    default:
        out = RenderText(*reader, HostComputerName());
        break;
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
