#pragma once
// The machine in a few lines: system, base board, chassis, firmware, each processor and
// the memory. Every value is a row of the structure's detail window, found by its
// Description, so the summary never says what the detail windows do not. No Qt here.
#include <string>
#include <vector>

#include "reader/table_reader.h"

struct SummaryItem {
    std::string label;
    std::string value; // table text as the row holds it (8-bit, unescaped)
};

struct SummarySection {
    std::string title;             // "System", "Processor 1", "Memory Device 2", ...
    std::vector<SummaryItem> items; // empty: the table has no such structure
};

std::vector<SummarySection> BuildSummary(CTableReader& reader);

// The sections as text for a terminal: the table's problems first, then each title with
// its items indented and their values aligned, table text escaped as in the text view.
std::string RenderSummary(CTableReader& reader);
