#pragma once
// Which table the program shows: the one place that chooses between this machine's
// table and a saved one, for the command-line views and the windows alike.
#include <memory>
#include <string>

#include "reader/table_reader.h"

constexpr const char* kNoDmiFunction = "No DMI Function";

struct TableOptions {
    std::string dumpPath; // a saved table (dump file or sysfs-style directory); empty: this machine's
};

// A reader on the chosen source, not yet opened: Open() finds and indexes the table.
std::unique_ptr<CTableReader> ChooseTable(const TableOptions& options);
