#include "shell/table_source.h"

#include <cerrno>

#ifndef _WIN32
#include "platform/process_posix.h"
#endif

namespace {

bool PermissionDenied(const HostAccess& host)
{
    if (!host.openError)
        return false;
    for (const std::string& file : host.files) {
        int err = host.openError(file);
        if (err == EACCES || err == EPERM)
            return true;
    }
    return false;
}

} // namespace

std::unique_ptr<CTableReader> ChooseTable(const TableOptions& options)
{
    if (!options.dumpPath.empty())
        return std::make_unique<CTableReader>(MakeSavedTableLocator(options.dumpPath));
    return std::make_unique<CTableReader>();
}

OpenedTable OpenChosenTable(const TableOptions& options)
{
    if (!options.dumpPath.empty())
        return OpenChosenTable(options, HostAccess{});
    return OpenChosenTable(options, RealHostAccess());
}

OpenedTable OpenChosenTable(const TableOptions& options, const HostAccess& host)
{
    OpenedTable opened;
    if (!options.dumpPath.empty() || !host.sources) {
        opened.reader = ChooseTable(options);
        opened.reader->Open();
        return opened;
    }
    opened.reader = std::make_unique<CTableReader>(host.sources());
    if (opened.reader->Open() == kOk || !PermissionDenied(host))
        return opened;
    opened.advice = kPermissionAdvice;
    if (!options.askAdministrator)
        return opened;
#ifndef _WIN32
    if (host.pkexec.empty() || host.helper.empty()) {
        opened.advice += host.pkexec.empty() ? " (pkexec, which would ask for the administrator's password, is not installed.)"
                                             : " (The helper lumetra-read-table is not installed.)";
        return opened;
    }
    std::vector<uint8_t> bytes;
    std::string why;
    if (ReadThroughHelper(host.pkexec, host.helper, bytes, why)) {
        auto reader = std::make_unique<CTableReader>(std::make_unique<DumpFileLocator>(host.helper, std::move(bytes)));
        if (reader->Open() == kOk) {
            opened.reader = std::move(reader);
            opened.advice.clear();
            return opened;
        }
        why = reader->Reason();
    }
    opened.advice = "Reading it as the administrator failed: " + why + "\n" + opened.advice;
#endif
    return opened;
}

#ifdef _WIN32
// Windows keeps its own access paths, chosen by the reader's OsKind; no fallback.
HostAccess RealHostAccess()
{
    return {};
}
#endif
