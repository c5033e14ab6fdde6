// The entry of lumetra and of lumetra-gui: both run the views; lumetra hands the
// windows over to lumetra-gui (shell/window_handover.h).
#include <cstdio>
#include <string>

#include "platform/computer_name.h"
#include "reader/table_reader.h"
#include "shell/dump_bin.h"
#include "shell/options.h"
#include "shell/summary.h"
#include "shell/table_source.h"
#include "shell/views.h"
#ifndef _WIN32
#include "shell/window_handover.h"
#endif

namespace {

int Print(const std::string& text)
{
    return WriteOutput(text) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    CommandLine line = ParseCommandLine(argc, argv);
    switch (line.action) {
    case Action::Help:
        return Print(Usage());
    case Action::Version:
        return Print(VersionLine());
    case Action::UsageError:
        std::fprintf(stderr, "%s\n%s\n", line.error.c_str(), kTryHelp);
        return kUsageStatus;
    case Action::Run:
        break;
    }
#ifdef _WIN32
    // The console program has no windows of its own (they are lumetra.exe): it writes the text.
    if (line.view == View::Windows)
        line.view = View::Text;
#else
    if (line.view == View::Windows && line.dumpBin.empty())
        return RunWindows(argc, argv, line.dumpPath);
#endif

    OpenedTable table = OpenChosenTable({line.dumpPath});
    CTableReader& reader = *table.reader;
    if (!reader.IsOpen()) {
        std::fprintf(stderr, "%s\n%s\n", kNoDmiFunction, reader.Reason().c_str());
        if (!table.advice.empty())
            std::fprintf(stderr, "%s\n", table.advice.c_str());
        return 1;
    }
    if (!line.dumpBin.empty()) {
        std::string reason;
        if (SaveDumpBin(reader, line.dumpBin, reason))
            return 0;
        std::fprintf(stderr, "lumetra: cannot save the table: %s\n", reason.c_str());
        return 1;
    }
    switch (line.view) {
    case View::List:
        // Standard output stays one line per structure for scripts.
        std::fputs(ProblemLines(reader).c_str(), stderr);
        return WriteList(reader, stdout) ? 0 : 1;
    case View::Json:
        return WriteJson(reader, HostComputerName(), stdout) ? 0 : 1;
    case View::Html:
        return WriteHtml(reader, HostComputerName(), stdout) ? 0 : 1;
    case View::Summary:
        return Print(RenderSummary(reader));
    default:
        return WriteText(reader, HostComputerName(), stdout) ? 0 : 1;
    }
}
