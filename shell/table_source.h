#pragma once
// Which table the program shows: the one place that chooses between this machine's
// table and a saved one, for the command-line views and the windows alike, and that
// says what to do when this machine's table is closed to the user.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "reader/table_reader.h"

constexpr const char* kNoDmiFunction = "No DMI Function";
constexpr const char* kPermissionAdvice =
    "This machine's table can be read by root only. Run as root, or save the table once with "
    "'sudo lumetra --dump-bin FILE' and open it with 'lumetra --from-dump FILE'.";

struct TableOptions {
    std::string dumpPath; // a saved table (dump file or sysfs-style directory); empty: this machine's
    // The windows: when this machine's table is closed to the user, read it through
    // pkexec and the helper, so that the desktop asks for the administrator's password.
    bool askAdministrator = false;
};

// A reader on the chosen source, not yet opened: Open() finds and indexes the table.
std::unique_ptr<CTableReader> ChooseTable(const TableOptions& options);

// This machine's side of the choice; the tests put fakes in its place.
struct HostAccess {
    std::function<std::unique_ptr<ITableLocator>()> sources; // this machine's sources, in order
    std::vector<std::string> files;                          // the files those sources open
    std::function<int(const std::string& path)> openError;   // errno of opening path to read; 0 if it opens
    std::string pkexec; // its path; empty when it is not installed
    std::string helper; // the helper's path; empty when it is not installed
};
HostAccess RealHostAccess();

struct OpenedTable {
    std::unique_ptr<CTableReader> reader; // never null; IsOpen() tells whether there is a table
    std::string advice; // without a table: what the user can do about it, when anything helps
};

// Chooses the table and opens it; with options.askAdministrator, falls back to the
// helper through pkexec when permissions are what stands in the way.
OpenedTable OpenChosenTable(const TableOptions& options);
OpenedTable OpenChosenTable(const TableOptions& options, const HostAccess& host);
