#pragma once
// Case files (tests/cases/*.case): crafted structures and tables with the rows or the
// reader outcome they must give. The format is described in tests/cases/README.md.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// One expectation: lines of text to compare, and where they stand in the file so
// that a regenerated file can put the actual lines in their place.
struct CaseExpect {
    Bytes bytes;                    // the case's bytes with this variant's fields set
    std::vector<std::string> lines; // without their indentation
    size_t firstLine = 0;           // 0-based; the lines replaced on regeneration
    size_t lineCount = 0;
    bool run = false;               // an "each" line: the run of rows from one Description
    std::string prefix;             // "each ... => ", or the block's indentation
};

struct Case {
    std::string title;
    size_t line = 0; // of the title, 1-based
    bool table = false; // a whole dump (entry point and table) rather than one structure
    bool rsmb = false;  // the table served by the firmware table service instead
    std::set<std::string> shows; // table cases: list, tree, text, json, html, summary, after the outcome
    std::vector<std::string> finds; // table cases: quoted texts searched for as the main window's Find does
    std::vector<CaseExpect> expects;
};

struct CaseFile {
    std::string path;
    std::vector<std::string> lines;
    std::vector<Case> cases;
    std::string error; // the first syntax error, with its line; empty when the file parsed
};

CaseFile ParseCaseFile(const std::string& path);

// What the system makes of an expectation's input, in the form the file writes it.
std::vector<std::string> ActualLines(const Case& c, const CaseExpect& e);

// The file with every expectation replaced by the given actual lines (one list per
// expectation, in file order).
std::string RewriteCaseFile(const CaseFile& file, const std::vector<std::vector<std::string>>& actual);

// Bytes from the tokens of a "bytes" line: hex bytes ("0A"), repeated bytes ("00*20"),
// quoted texts, each followed by its NUL ("\"Slot 1\"", "\"x\"*300"; \xHH, \" and \\ inside),
// and repeated groups ("(11 04 00 00 00 00)*300").
bool ParseByteTokens(const std::string& text, Bytes& out);

// A decoded row as case files write it: cells joined by " | ", an empty first cell
// leaving "| Value", an empty last cell leaving "Description |".
std::string RowLine(const std::vector<std::string>& cells);
