#pragma once
// The views for scripts and people: the tree and every structure decoded as the
// detail window shows it, as JSON or as text. No Qt here.
#include <string>
#include <vector>

#include "reader/table_reader.h"
#include "ui/memory_controls.h"

struct DecodedStructure {
    size_t index = 0;
    uint8_t type = 0;
    uint8_t length = 0;
    uint16_t handle = 0;
    std::string caption;
    MemoryList list;
};

// Every indexed structure, in table order, each decoded while it is the reader's
// current structure (so structures sharing a handle are each decoded by themselves).
std::vector<DecodedStructure> DecodeAll(CTableReader& reader);

std::string RenderJson(CTableReader& reader, const std::string& computerName);
std::string RenderText(CTableReader& reader, const std::string& computerName);
// One line per indexed structure; the table's problems are left to ProblemLines.
std::string RenderList(CTableReader& reader);
// The table's problems, one "Problem: ..." line each; empty for a sound table.
std::string ProblemLines(const CTableReader& reader);

// "2.8" from the reader's version word.
std::string VersionText(const CTableReader& reader);
// Table text for a terminal: control bytes as \xNN, the rest Latin-1 in UTF-8.
std::string TerminalText(const std::string& latin1);
// Table text as a JSON string literal, quotes included.
std::string JsonString(const std::string& latin1);
