#pragma once
// The views for scripts and people: the tree and every structure decoded as the
// detail window shows it, as JSON, text or HTML. No Qt here.
#include <string>

#include "reader/table_reader.h"

class MemoryList;

// Decodes index entry i as the detail window would, while it is the reader's current
// structure (so structures sharing a handle are each decoded by themselves). Returns
// the window's caption.
std::string DecodeStructure(CTableReader& reader, size_t i, MemoryList& rows);

std::string RenderJson(CTableReader& reader, const std::string& computerName);
std::string RenderText(CTableReader& reader, const std::string& computerName);
// A self-contained HTML page: the table's facts, contents by type, one table per structure.
std::string RenderHtml(CTableReader& reader, const std::string& computerName);
// One line per indexed structure; the table's problems are left to ProblemLines.
std::string RenderList(CTableReader& reader);
// The table's problems, one "Problem: ..." line each; empty for a sound table.
std::string ProblemLines(const CTableReader& reader);

// Writes a view to standard output in one write (more only when the system takes
// part of it); false when it cannot be written. Nothing may go to standard output
// before it.
bool WriteOutput(const std::string& text);
