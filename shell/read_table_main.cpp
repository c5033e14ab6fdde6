// lumetra-read-table: this machine's table in the --dump-bin layout on standard
// output. pkexec runs it as root for the windows, which never run as root themselves,
// so it takes no arguments, reads only the usual sources and never writes a file.
#include <cstdio>
#include <string>

#include "shell/dump_bin.h"
#include "shell/table_source.h"

int main(int argc, char**)
{
    if (argc > 1) {
        std::fprintf(stderr, "usage: lumetra-read-table (no arguments): writes this machine's SMBIOS table "
                             "to standard output\n");
        return 2;
    }
    std::unique_ptr<CTableReader> reader = ChooseTable({});
    if (reader->Open() != kOk) {
        std::fprintf(stderr, "%s\n%s\n", kNoDmiFunction, reader->Reason().c_str());
        return 1;
    }
    std::string reason;
    if (!SaveDumpBin(*reader, "-", reason)) {
        std::fprintf(stderr, "lumetra-read-table: %s\n", reason.c_str());
        return 1;
    }
    return 0;
}
